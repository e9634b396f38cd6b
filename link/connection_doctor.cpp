#include "connection_doctor.h"

#include "format.h"
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
bool OwnEcho(const Heard& f, std::uint8_t radio) { return f.to == radio && f.from == kControllerAddress; }

QString Hex(std::uint8_t value) { return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper() + u'h'; }

const QString kCivMenu = QStringLiteral("MENU > SET > Connectors > CI-V > ");

// "19200" from "19200,N,8,1"; the first field as it stands when the settings do not parse.
QString Rate(const QString& commBaud)
{
    const auto settings = ParseSerialSettings(commBaud);
    return settings ? QString::number(settings->baudRate) : commBaud.section(u',', 0, 0);
}

// A window opens and closes while other devices' broadcasts keep coming: it may begin with the
// tail of one whose head came before it, and end with the head of one still arriving. Those
// pieces are not the radio's answers, and without this the chain of echoes and broadcasts
// would look like garble. A piece that could be a cut answer (FE FE E0 ...) stays.
QByteArray WithoutBroadcastsCutByTheWindow(QByteArray received)
{
    constexpr qsizetype kBroadcastFrameSize = 11;  // FE FE 00 aa 00 and five frequency bytes, FD
    const auto preamble = static_cast<char>(kPreamble);
    const qsizetype firstEnd = received.indexOf(static_cast<char>(kEndOfMessage));
    if (!received.startsWith(preamble) && firstEnd >= 0 && firstEnd < kBroadcastFrameSize
        && !received.left(firstEnd).contains(preamble))
        received.remove(0, firstEnd + 1);
    const qsizetype lastEnd = received.lastIndexOf(static_cast<char>(kEndOfMessage));
    const QByteArray tail = received.mid(lastEnd + 1);
    const QByteArray broadcastHead = MakeBytes({kPreamble, kPreamble, kBroadcastAddress});
    if (!tail.isEmpty() && (broadcastHead.startsWith(tail) || tail.startsWith(broadcastHead)))
        received.chop(tail.size());
    return received;
}

}  // namespace

std::optional<LineFinding> DiagnoseWindow(const QByteArray& received, bool sentSomething, bool lineError,
                                          std::uint8_t radio)
{
    if (lineError)
        return LineFinding{LineCause::BaudRate, std::nullopt};
    if (received.isEmpty())
        return std::nullopt;
    const auto frames = Frames(received);
    // Garble can happen to look like a frame; one that is neither our echo nor meant for a
    // controller does not count. Without a frame of ours going out, a fragment may be the
    // tail of a broadcast.
    const bool anyFrame = std::any_of(frames.begin(), frames.end(),
                                      [radio](const Heard& f) { return ToController(f) || OwnEcho(f, radio); });
    if (!anyFrame)
        return sentSomething ? std::optional(LineFinding{LineCause::BaudRate, std::nullopt}) : std::nullopt;
    bool radioSpoke = false, answered = false, echoed = false;
    std::optional<std::uint8_t> otherAddress;
    for (const auto& f : frames) {
        const bool toUs = f.to == kControllerAddress;
        radioSpoke = radioSpoke || (toUs && f.from == radio);
        // OK and NG do not count: a radio woken by Power ON answers OK to a frame it never echoed.
        answered = answered || (toUs && f.from == radio && f.command != kOkCode && f.command != kNgCode);
        echoed = echoed || OwnEcho(f, radio);
        // Only a frame addressed to us tells the radio's address: a broadcast to all may come
        // from any other device on the bus.
        if (toUs && f.from != radio && f.from != kControllerAddress && !otherAddress)
            otherAddress = f.from;
    }
    // Our radio answered at its address: a frame from elsewhere is not its doing.
    if (otherAddress && !radioSpoke)
        return LineFinding{LineCause::Address, otherAddress};
    if (sentSomething && answered && !echoed)
        return LineFinding{LineCause::EchoOff, std::nullopt};
    return std::nullopt;
}

std::optional<LineFinding> DiagnoseChain(const QByteArray& received, std::uint8_t radio)
{
    if (received.isEmpty())
        return LineFinding{LineCause::Silent, std::nullopt};
    // The echoes of the program's own frames, broadcasts at most besides them, and not one
    // other byte: every question went out and came back, and nothing answered any of them.
    QByteArray rest = received;
    bool echoed = false;
    for (const std::uint8_t to : {radio, kBroadcastAddress}) {
        const QByteArray head = MakeBytes({kPreamble, kPreamble, to});
        for (qsizetype at = rest.indexOf(head); at >= 0; at = rest.indexOf(head, at)) {
            const qsizetype end = rest.indexOf(static_cast<char>(kEndOfMessage), at);
            if (end < 0)
                break;
            const bool echo = end > at + 3 && static_cast<std::uint8_t>(rest[at + 3]) == kControllerAddress;
            if (to == radio && !echo) {
                at = end + 1;
                continue;
            }
            echoed = echoed || echo;
            rest.remove(at, end - at + 1);
        }
    }
    if (echoed && rest.isEmpty())
        return LineFinding{LineCause::Unanswered, std::nullopt};
    return std::nullopt;
}

QString AdviceText(const LineFinding& finding, const QString& commBaud, const QString& commPort, std::uint8_t radio)
{
    const QString onTheRadio = QStringLiteral("On the ") + RadioName() + QStringLiteral(" set ");
    switch (finding.cause) {
    case LineCause::EchoOff:
        return QStringLiteral("The radio answers but does not echo TALVEX's commands. ") + onTheRadio + kCivMenu
            + QStringLiteral("CI-V USB Echo Back to ON.");
    case LineCause::BaudRate: {
        const QString rate = Rate(commBaud);
        return QStringLiteral("What arrives from the radio does not form CI-V frames: the radio's CI-V baud rate "
                              "is not TALVEX's ")
            + rate + QStringLiteral(". ") + onTheRadio + kCivMenu
            + QStringLiteral("CI-V USB Baud Rate (radio on the USB cable) or CI-V Baud Rate (radio on the REMOTE "
                             "jack) to ")
            + rate + QStringLiteral(".");
    }
    case LineCause::Address:
        return QStringLiteral("The radio uses CI-V address ") + Hex(finding.address.value_or(0))
            + QStringLiteral(", but TALVEX talks to ") + Hex(radio) + QStringLiteral(". ") + onTheRadio
            + kCivMenu + QStringLiteral("CI-V Address to ") + Hex(radio) + QStringLiteral(".");
    // An interface on the CI-V bus echoes whatever is sent whether the radio is on or not, so
    // the echoes alone cannot tell a switched-off radio from one at another address.
    case LineCause::Unanswered:
        return QStringLiteral("TALVEX's commands come back as echoes, but nothing answers them: the radio is "
                              "switched off (its interface echoes what TALVEX sends), or its CI-V address is not ")
            + Hex(radio) + QStringLiteral(". Switch the radio on. If it is on, set on the ") + RadioName() + u' '
            + kCivMenu + QStringLiteral("CI-V Address to ") + Hex(radio) + QStringLiteral(".");
    // A radio at another rate that does not echo sends nothing TALVEX could read either.
    case LineCause::Silent:
        return QStringLiteral("Nothing at all came back from the radio on ") + commPort
            + QStringLiteral(". Switch the radio on, check the cable, check that the port in System Setup "
                             "(TALVEX.INI) is the radio's, and check that the radio's CI-V baud rate is TALVEX's ")
            + Rate(commBaud) + QStringLiteral(": on the ") + RadioName() + u' ' + kCivMenu
            + QStringLiteral("CI-V USB Baud Rate (radio on the USB cable) or CI-V Baud Rate (radio on the REMOTE "
                             "jack).");
    }
    return {};
}

std::optional<LineFinding> ConnectionDoctor::windowClosed(const QByteArray& received, bool lineError, int chainStep)
{
    auto finding = firstTime(DiagnoseWindow(received, sentInWindow_, lineError, radio_));
    sentInWindow_ = false;
    if (chainStep == 0)
        return finding;
    chainReceived_ += WithoutBroadcastsCutByTheWindow(received);
    if (chainStep == 5) {
        if (!finding)
            finding = firstTime(DiagnoseChain(chainReceived_, radio_));
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
