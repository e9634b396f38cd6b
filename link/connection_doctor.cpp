#include "connection_doctor.h"

#include "frames.h"

#include "platform/serial_settings.h"

#include <algorithm>
#include <vector>

namespace talvex {

namespace {

struct Heard {
    std::uint8_t to;
    std::uint8_t from;
    std::uint8_t command;
};

// Addresses of every well-formed frame in the bytes: FE FE (more FE allowed), to, from, at
// least one command byte, FD. Bytes between frames are skipped.
std::vector<Heard> Frames(const QByteArray& bytes)
{
    std::vector<Heard> frames;
    const auto size = bytes.size();
    qsizetype at = 0;
    while (at + 1 < size) {
        if (static_cast<std::uint8_t>(bytes[at]) != kPreamble || static_cast<std::uint8_t>(bytes[at + 1]) != kPreamble) {
            ++at;
            continue;
        }
        qsizetype body = at + 2;
        while (body < size && static_cast<std::uint8_t>(bytes[body]) == kPreamble)
            ++body;
        qsizetype end = body;
        while (end < size && static_cast<std::uint8_t>(bytes[end]) != kEndOfMessage
               && static_cast<std::uint8_t>(bytes[end]) != kPreamble)
            ++end;
        if (end < size && static_cast<std::uint8_t>(bytes[end]) == kEndOfMessage && end - body >= 3)
            frames.push_back({static_cast<std::uint8_t>(bytes[body]), static_cast<std::uint8_t>(bytes[body + 1]),
                              static_cast<std::uint8_t>(bytes[body + 2])});
        at = end;
    }
    return frames;
}

bool ToController(const Heard& f) { return f.to == kControllerAddress || f.to == kBroadcastAddress; }

QString Hex(std::uint8_t value) { return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper() + u'h'; }

const QString kCivMenu = QStringLiteral("MENU > SET > Connectors > CI-V > ");

}  // namespace

std::optional<LineFinding> DiagnoseWindow(const QByteArray& received, bool sentSomething, bool lineError)
{
    if (lineError)
        return LineFinding{LineCause::BaudRate, std::nullopt};
    if (received.isEmpty())
        return std::nullopt;
    const auto frames = Frames(received);
    // Garble can happen to look like a frame; one that is neither our echo nor meant for a
    // controller does not count. Without a frame of ours going out, a fragment may be the
    // tail of a broadcast.
    const bool anyFrame = std::any_of(frames.begin(), frames.end(), [](const Heard& f) {
        return ToController(f) || (f.to == RadioAddress() && f.from == kControllerAddress);
    });
    if (!anyFrame)
        return sentSomething ? std::optional(LineFinding{LineCause::BaudRate, std::nullopt}) : std::nullopt;
    bool answered = false, echoed = false, radioHeard = false;
    std::optional<std::uint8_t> otherAddress;
    for (const auto& f : frames) {
        if (ToController(f) && f.from != RadioAddress() && f.from != kControllerAddress && !otherAddress)
            otherAddress = f.from;
        radioHeard = radioHeard || (ToController(f) && f.from == RadioAddress());
        // OK and NG do not count: a radio woken by Power ON answers OK to a frame it never echoed.
        answered = answered
            || (f.to == kControllerAddress && f.from == RadioAddress() && f.command != kOkCode && f.command != kNgCode);
        echoed = echoed || (f.to == RadioAddress() && f.from == kControllerAddress);
    }
    // Another radio on the same bus is no fault of this one's address while this one speaks.
    if (otherAddress && !radioHeard)
        return LineFinding{LineCause::Address, *otherAddress};
    if (sentSomething && answered && !echoed)
        return LineFinding{LineCause::EchoOff, std::nullopt};
    return std::nullopt;
}

std::optional<LineFinding> DiagnoseChain(const QByteArray& received)
{
    if (received.isEmpty())
        return LineFinding{LineCause::Silent, std::nullopt};
    // Only the echoes of the program's own frames, and not one byte besides: the radio
    // hears every question and answers none.
    QByteArray rest = received;
    const QByteArray echoHead = MakeBytes({kPreamble, kPreamble, RadioAddress(), kControllerAddress});
    for (qsizetype at = rest.indexOf(echoHead); at >= 0; at = rest.indexOf(echoHead)) {
        const qsizetype end = rest.indexOf(static_cast<char>(kEndOfMessage), at);
        if (end < 0)
            break;
        rest.remove(at, end - at + 1);
    }
    if (rest.isEmpty())
        return LineFinding{LineCause::Address, std::nullopt};
    return std::nullopt;
}

QString AdviceText(const LineFinding& finding, const QString& commBaud, const QString& commPort)
{
    switch (finding.cause) {
    case LineCause::EchoOff:
        return QStringLiteral("The radio answers but does not echo TALVEX's commands. On the IC-7300 set ") + kCivMenu
            + QStringLiteral("CI-V USB Echo Back to ON.");
    case LineCause::BaudRate: {
        const auto settings = ParseSerialSettings(commBaud);
        const QString rate = settings ? QString::number(settings->baudRate) : commBaud.section(u',', 0, 0);
        return QStringLiteral("What arrives from the radio does not form CI-V frames: the radio's CI-V baud rate "
                              "is not TALVEX's ")
            + rate + QStringLiteral(". On the IC-7300 set ") + kCivMenu
            + QStringLiteral("CI-V USB Baud Rate (radio on the USB cable) or CI-V Baud Rate (radio on the REMOTE "
                             "jack) to ")
            + rate + QStringLiteral(".");
    }
    case LineCause::Address: {
        const QString setting = QStringLiteral("On the IC-7300 set ") + kCivMenu + QStringLiteral("CI-V Address to ")
            + Hex(RadioAddress()) + QStringLiteral(".");
        if (finding.address)
            return QStringLiteral("The radio uses CI-V address ") + Hex(*finding.address)
                + QStringLiteral(", but TALVEX talks to ") + Hex(RadioAddress()) + QStringLiteral(". ") + setting;
        return QStringLiteral("The radio echoes TALVEX's commands but never answers them: its CI-V address is not ")
            + Hex(RadioAddress()) + QStringLiteral(". ") + setting;
    }
    case LineCause::Silent:
        return QStringLiteral("Nothing at all came back from the radio on ") + commPort
            + QStringLiteral(". Switch the radio on, check the cable, and check that the port in System Setup "
                             "(TALVEX.INI) is the radio's.");
    }
    return {};
}

std::optional<LineFinding> ConnectionDoctor::windowClosed(const QByteArray& received, bool lineError, int chainStep)
{
    auto finding = firstTime(DiagnoseWindow(received, sentInWindow_, lineError));
    sentInWindow_ = false;
    if (chainStep == 0)
        return finding;
    chainReceived_ += received;
    if (chainStep == 5) {
        if (!finding)
            finding = firstTime(DiagnoseChain(chainReceived_));
        chainReceived_.clear();
    }
    return finding;
}

std::optional<LineFinding> ConnectionDoctor::firstTime(std::optional<LineFinding> finding)
{
    if (!finding || !told_.insert(finding->cause).second)
        return std::nullopt;
    return finding;
}

}  // namespace talvex
