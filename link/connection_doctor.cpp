#include "connection_doctor.h"

#include "format.h"
#include "frames.h"

#include "platform/serial_settings.h"

namespace talvex {

namespace {

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

std::optional<LineFinding> ConnectionDoctor::windowClosed(const LineWindow& window, int chainStep)
{
    // Only a window that wrote something can show how the radio takes what is written.
    auto finding = window.sent.empty() ? std::nullopt : firstTime(judge(EvidenceOf(window, radio_)));
    if (chainStep == 0)
        return finding;
    chainReceived_ += WithoutBroadcastsCutByTheWindow(window.received);
    if (chainStep == 5) {
        if (!finding)
            finding = firstTime(DiagnoseChain(chainReceived_, radio_));
        chainReceived_.clear();
    }
    return finding;
}

std::optional<LineFinding> ConnectionDoctor::judge(const WindowEvidence& evidence)
{
    // Each count goes on while its windows come in a row, ends at a window that shows the
    // contrary, and stands over a window that shows neither (nothing came back at all).
    if (evidence.echoed)
        unechoed_ = 0;
    else if (evidence.radioAnswered)
        ++unechoed_;
    if (evidence.radioSpoke) {
        elsewhere_ = 0;
    } else if (evidence.otherSender) {
        elsewhere_ = *evidence.otherSender == elsewhereFrom_ ? elsewhere_ + 1 : 1;
        elsewhereFrom_ = *evidence.otherSender;
    }
    if (evidence.otherRate)
        ++otherRate_;
    else if (evidence.framed)
        otherRate_ = 0;

    // A cause told already does not hide another one the same window shows.
    const std::pair<bool, LineFinding> shown[] = {
        {elsewhere_ >= kWindowsThatTell, {LineCause::Address, elsewhereFrom_}},
        {unechoed_ >= kWindowsThatTell, {LineCause::EchoOff, std::nullopt}},
        {otherRate_ >= kWindowsThatTell, {LineCause::BaudRate, std::nullopt}},
    };
    for (const auto& [twice, finding] : shown) {
        if (twice && !told_.contains(finding.cause))
            return finding;
    }
    return std::nullopt;
}

std::optional<LineFinding> ConnectionDoctor::firstTime(std::optional<LineFinding> finding)
{
    if (!finding || !told_.insert(finding->cause).second)
        return std::nullopt;
    return finding;
}

}  // namespace talvex
