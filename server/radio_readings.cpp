#include "radio_readings.h"

#include "rigserver/modes.h"

#include "link/frames.h"
#include "link/radio_answers.h"
#include "link/radio_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>
#include <variant>

namespace talvex::server {

namespace {

using rigserver::Level;
using rigserver::Verb;
using rigserver::Vfo;

struct ReadingInfo {
    Reading reading;
    QByteArray command;
    int payloadSize;  // the whole answer payload, command bytes included
};

const std::array<ReadingInfo, kReadingCount>& Readings()
{
    static const std::array<ReadingInfo, kReadingCount> kReadings{{
        {Reading::Frequency, QByteArray::fromHex("03"), 6},
        {Reading::Mode, QByteArray::fromHex("04"), 3},
        {Reading::Ptt, QByteArray::fromHex("1c00"), 3},
        {Reading::Split, QByteArray::fromHex("0f"), 2},
        {Reading::TxFrequency, QByteArray::fromHex("2501"), 7},
        {Reading::TxMode, QByteArray::fromHex("2601"), 5},
        {Reading::Strength, QByteArray::fromHex("1502"), 4},
        {Reading::RfPower, QByteArray::fromHex("140a"), 4},
    }};
    return kReadings;
}

template <class... Ways>
struct Overloaded : Ways... {
    using Ways::operator()...;
};

std::uint8_t Byte(const QByteArray& bytes, qsizetype at) { return static_cast<std::uint8_t>(bytes.at(at)); }

std::uint8_t Bcd(int value) { return static_cast<std::uint8_t>((value / 10) << 4 | (value % 10)); }

std::optional<std::vector<std::string>> ModeValues(int code, int filter)
{
    const auto mode = rigserver::ModeOfCivCode(static_cast<std::uint8_t>(code));
    if (!mode)
        return std::nullopt;
    return std::vector<std::string>{std::string(rigserver::Info(*mode).name),
                                    std::to_string(rigserver::PassbandHz(*mode, static_cast<std::uint8_t>(filter)))};
}

// The IC-7300's S-meter reads 0 at S0, 120 at S9 and 241 at S9+60 dB; Hamlib's STRENGTH is dB
// over S9.
double StrengthDb(int meter)
{
    return meter <= 120 ? -54.0 + meter * 54.0 / 120.0 : (meter - 120) * 60.0 / 121.0;
}

QByteArray Bytes(std::initializer_list<std::uint8_t> bytes)
{
    QByteArray out;
    for (std::uint8_t b : bytes)
        out.append(static_cast<char>(b));
    return out;
}

}  // namespace

// The reading's place among the link's state readings is its place here.
static_assert(std::variant_size_v<StateReading> == kReadingCount);
static_assert(std::is_same_v<std::variant_alternative_t<static_cast<std::size_t>(Reading::RfPower), StateReading>, RfPowerLevel>);
static_assert(std::is_same_v<std::variant_alternative_t<static_cast<std::size_t>(Reading::Ptt), StateReading>, TransmitState>);

QByteArray ReadCommand(Reading reading) { return Readings()[static_cast<std::size_t>(reading)].command; }

std::optional<Reading> ReadingOf(const QByteArray& payload)
{
    for (const ReadingInfo& info : Readings()) {
        if (payload.size() == info.payloadSize && payload.startsWith(info.command))
            return info.reading;
    }
    return std::nullopt;
}

std::optional<QByteArray> BroadcastAsAnswer(const QByteArray& payload)
{
    if (payload.size() == 6 && Byte(payload, 0) == 0x00)
        return QByteArray(1, 0x03) + payload.mid(1);
    if (payload.size() == 3 && Byte(payload, 0) == 0x01)
        return QByteArray(1, 0x04) + payload.mid(1);
    return std::nullopt;
}

std::optional<std::vector<std::string>> ValuesOf(Reading reading, const QByteArray& payload, Vfo current, Level level)
{
    // The link's reader reads the answer; what is left here is how Hamlib words its values.
    const auto state = ReadStateAnswer(payload);
    if (!state || static_cast<Reading>(state->index()) != reading)
        return std::nullopt;
    using Values = std::optional<std::vector<std::string>>;
    const auto one = [](std::string text) { return Values{std::vector<std::string>{std::move(text)}}; };
    const auto levelText = [&](double shown) { return one(rigserver::LevelText(level, shown)); };
    return std::visit(
        Overloaded{
            [&](const FrequencyReading& r) { return one(rigserver::FrequencyText(r.hz)); },
            [&](const OtherVfoFrequency& r) { return one(rigserver::FrequencyText(r.hz)); },
            [&](const ModeReading& r) { return ModeValues(r.mode, r.filter.value_or(0)); },
            [&](const OtherVfoMode& r) { return ModeValues(r.mode, r.filter); },
            [&](const TransmitState& r) { return one(r.value ? "1" : "0"); },
            [&](const SplitState& r) {
                const Vfo other = current == Vfo::B ? Vfo::A : Vfo::B;
                const Vfo own = current == Vfo::Memory ? Vfo::A : current;
                return Values{std::vector<std::string>{r.on ? "1" : "0", std::string(rigserver::VfoName(r.on ? other : own))}};
            },
            [&](const SMeterLevel& r) { return r.value > 255 ? Values{} : levelText(StrengthDb(r.value)); },
            [&](const RfPowerLevel& r) { return r.value > 255 ? Values{} : levelText(r.value / 255.0); },
        },
        *state);
}

std::optional<Reading> ReadingFor(const rigserver::RigCommand& command)
{
    switch (command.verb) {
    case Verb::GetFreq: return Reading::Frequency;
    case Verb::GetMode: return Reading::Mode;
    case Verb::GetPtt: return Reading::Ptt;
    case Verb::GetSplitVfo: return Reading::Split;
    case Verb::GetSplitFreq: return Reading::TxFrequency;
    case Verb::GetSplitMode: return Reading::TxMode;
    case Verb::GetLevel:
        if (const auto* choice = std::get_if<rigserver::LevelChoice>(&command.arguments))
            return choice->level == Level::Strength ? Reading::Strength : Reading::RfPower;
        return std::nullopt;
    default: return std::nullopt;
    }
}

std::optional<SetPlan> PlanSet(const rigserver::RigCommand& command, int filter)
{
    const auto set = [](QByteArray bytes) { return Step{std::move(bytes), false}; };
    const auto read = [](Reading reading) { return Step{ReadCommand(reading), true}; };
    const auto& args = command.arguments;
    if (command.malformed() || std::holds_alternative<std::monostate>(args))
        return std::nullopt;  // nothing a set could be made of
    switch (command.verb) {
    case Verb::SetFreq: {
        const std::int64_t hz = std::get<rigserver::Frequency>(args).hz;
        if (!kRadio.holdsFrequency(hz))
            return std::nullopt;
        return SetPlan{{set(QByteArray(1, 0x05) + FrequencyBytes(hz)), read(Reading::Frequency)}, {}, false};
    }
    case Verb::SetSplitFreq: {
        const std::int64_t hz = std::get<rigserver::Frequency>(args).hz;
        if (!kRadio.holdsFrequency(hz))
            return std::nullopt;
        const QByteArray bytes = Bytes({0x25, 0x01}) + FrequencyBytes(hz);
        return SetPlan{{set(bytes)}, bytes, false};
    }
    case Verb::SetMode:
    case Verb::SetSplitMode: {
        const auto& setting = std::get<rigserver::ModeSetting>(args);
        const auto code = static_cast<std::uint8_t>(rigserver::Info(setting.mode).civCode);
        const auto chosen = static_cast<std::uint8_t>(rigserver::FilterFor(setting.mode, setting.passbandHz, filter));
        if (command.verb == Verb::SetMode)
            return SetPlan{{set(Bytes({0x06, code, chosen})), read(Reading::Mode)}, {}, false};
        const QByteArray bytes = Bytes({0x26, 0x01, code, 0x00, chosen});
        return SetPlan{{set(bytes)}, bytes, false};
    }
    case Verb::SetVfo: {
        const Vfo vfo = std::get<rigserver::VfoChoice>(args).vfo;
        const QByteArray bytes = vfo == Vfo::Memory ? Bytes({0x08}) : Bytes({0x07, vfo == Vfo::A ? std::uint8_t{0x00} : std::uint8_t{0x01}});
        return SetPlan{{set(bytes), read(Reading::Frequency), read(Reading::Mode)}, {}, true};
    }
    case Verb::SetPtt: {
        const std::uint8_t on = std::get<rigserver::PttSetting>(args).transmit ? 1 : 0;
        return SetPlan{{set(Bytes({0x1C, 0x00, on}))}, Bytes({0x1C, 0x00, on}), false};
    }
    case Verb::SetSplitVfo: {
        const std::uint8_t on = std::get<rigserver::SplitSetting>(args).on ? 1 : 0;
        return SetPlan{{set(Bytes({0x0F, on}))}, Bytes({0x0F, on}), false};
    }
    case Verb::SetLevel: {
        const auto& setting = std::get<rigserver::LevelSetting>(args);
        if (setting.level != Level::RfPower || !(setting.value >= 0.0 && setting.value <= 1.0))
            return std::nullopt;
        const int value = static_cast<int>(std::lround(setting.value * 255));
        const QByteArray bytes = Bytes({0x14, 0x0A, Bcd(value / 100), Bcd(value % 100)});
        return SetPlan{{set(bytes)}, bytes, false};
    }
    default: return std::nullopt;
    }
}

std::vector<std::optional<QByteArray>> MatchAnswers(const std::vector<Step>& steps, const std::vector<QByteArray>& answers)
{
    std::vector<std::optional<QByteArray>> matched(steps.size());
    std::size_t step = 0;
    for (const QByteArray& frame : answers) {
        if (step == steps.size())
            break;
        if (frame.size() < 6)
            continue;
        const QByteArray payload = frame.mid(4, frame.size() - 5);
        const bool okOrNg = payload.size() == 1 && (Byte(payload, 0) == kOkCode || Byte(payload, 0) == kNgCode);
        const bool fits = steps[step].read ? payload.size() > steps[step].command.size() && payload.startsWith(steps[step].command)
                                           : okOrNg;
        // A read answered NG was refused: that, too, is its answer.
        if (fits || (steps[step].read && okOrNg && Byte(payload, 0) == kNgCode))
            matched[step++] = payload;
    }
    return matched;
}

int SetResult(const std::optional<QByteArray>& answer)
{
    if (!answer)
        return rigserver::code::kTimeout;
    return answer->size() == 1 && Byte(*answer, 0) == kOkCode ? rigserver::code::kOk : rigserver::code::kRejected;
}

QByteArray FrequencyBytes(std::int64_t hz)
{
    QByteArray bytes;
    for (int i = 0; i < 5; ++i) {
        bytes.append(static_cast<char>(Bcd(static_cast<int>(hz % 100))));
        hz /= 100;
    }
    return bytes;
}

}  // namespace talvex::server
