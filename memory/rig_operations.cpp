// View Rig, Blank Rig and Scan Rig: the radio's channels read, cleared or stepped through
// directly, without a data file.
#include "memory/memory_operations.h"

#include "link/bcd.h"

namespace talvex {

namespace {

const QString kViewRig = QStringLiteral("View Rig");
const QString kBlankRig = QStringLiteral("Blank Rig");
const QString kScanRig = QStringLiteral("Scan Rig");
constexpr int kChannels = 99;

// A typed channel: the answer when it is a whole number, else the default. Nothing means Cancel.
std::optional<QString> AskChannel(Dialogs& dialogs, const QString& prompt, const QString& title,
                                  const QString& defaultText)
{
    const auto answer = dialogs.input(prompt, title, defaultText);
    if (!answer)
        return std::nullopt;
    if (!WholeNumberIn(*answer, 0, 999999))
        return defaultText;
    return answer->trimmed();
}

int ValueOf(const QString& text) { return static_cast<int>(LeadingNumber(text)); }

}  // namespace

void MemoryOperations::Command4_Click()
{
    if (refuseWhileBusy() || refuseWithoutRadio(kViewRig))
        return;
    state_.ChannelCounter = 0;
    state_.ViewingRig = true;
}

void MemoryOperations::Timer4_Timer()
{
    if (!state_.ViewingRig || !radioStillThere(kViewRig))
        return;
    if (state_.ChannelCounter >= kChannels) {
        state_.ChannelCounter = 0;
        state_.EntriesPreset = false;
        state_.ViewingRig = false;
        showEnd();
        return;
    }
    ++state_.ChannelCounter;
    state_.ChannelText = QString::number(state_.ChannelCounter);
    state_.EntriesPreset = true;
    radio_.Option45_Click();
}

bool MemoryOperations::askChannelRange(const QString& first, const QString& firstTitle, const QString& last,
                                       const QString& lastTitle)
{
    const auto firstChannel = AskChannel(dialogs_, first, firstTitle, QStringLiteral("1"));
    if (!firstChannel)
        return false;
    const auto lastChannel = AskChannel(dialogs_, last, lastTitle, QStringLiteral("99"));
    if (!lastChannel)
        return false;
    state_.FirstChannel = ValueOf(*firstChannel);
    state_.LastChannel = ValueOf(*lastChannel);
    return true;
}

void MemoryOperations::Command5_Click()
{
    if (state_.BlankingRig) {
        askToStopBlanking();
        return;
    }
    if (refuseWhileBusy() || refuseWithoutRadio(kBlankRig))
        return;
    if (dialogs_.message(kBlankRig, QStringLiteral("Are you sure?"), MessageIcon::None, MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return;
    const QString title = QStringLiteral("Blank Rig Memories");
    if (!askChannelRange(QStringLiteral("Enter STARTING Channel Number (1-99)"), title,
                         QStringLiteral("Enter ENDING Channel Number (1-99)"), title))
        return;
    state_.ChannelCounter = state_.FirstChannel;
    state_.BlankingRig = true;
}

void MemoryOperations::askToStopBlanking()
{
    // Paused while the question is open: ticks keep coming meanwhile.
    state_.BlankingRig = false;
    state_.ClearAfterSelect = false;
    state_.EntriesPreset = false;
    if (dialogs_.message(kBlankRig, QStringLiteral("STOP Blank Rig?"), MessageIcon::None, MessageButtons::YesNo)
        == MessageAnswer::Yes) {
        state_.ChannelCounter = 0;
        return;
    }
    state_.BlankingRig = true;
}

void MemoryOperations::Timer5_Timer()
{
    if (!state_.BlankingRig || !radioStillThere(kBlankRig))
        return;
    if (state_.ChannelCounter > state_.LastChannel || state_.ChannelCounter > kChannels) {
        showEnd();
        state_.ChannelCounter = 0;
        state_.BlankingRig = false;
        state_.EntriesPreset = false;
        state_.ClearAfterSelect = false;
        return;
    }
    state_.ChannelText = QString::number(state_.ChannelCounter);
    state_.memory.Text1 = state_.ChannelText;
    ++state_.ChannelCounter;
    state_.memory.Text7 = QStringLiteral("Clearing Memory Channel ") + state_.ChannelText;
    state_.EntriesPreset = true;
    state_.ClearAfterSelect = true;
    radio_.Option18_Click();
    radio_.Option40_Click();
}

void MemoryOperations::Command6_Click()
{
    if (state_.ScanningRig) {
        askToStopScanning();
        return;
    }
    if (refuseWhileBusy() || refuseWithoutRadio(kScanRig))
        return;
    if (dialogs_.message(kScanRig, QStringLiteral("Are you sure?"), MessageIcon::None, MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return;
    if (!askChannelRange(QStringLiteral("STARTING Channel (1-99)"), kScanRig, QStringLiteral("ENDING Channel (1-99)"),
                         kScanRig))
        return;
    const auto speedAnswer = dialogs_.input(QStringLiteral("Scan Speed (1-9)"), QStringLiteral("Scan Speed"),
                                            QStringLiteral("5"));
    if (!speedAnswer)
        return;
    QString speed = *speedAnswer;
    if (speed.isEmpty() || speed > QStringLiteral("9") || speed == u"0")
        speed = QStringLiteral("5");
    // Only a single digit sets the pace; anything else (" 5", "10") keeps the interval it had.
    if (speed.size() == 1 && speed[0] >= u'1' && speed[0] <= u'9') {
        state_.ScanSpeed = speed[0].digitValue();
        timer(6).setInterval(2100 - 200 * state_.ScanSpeed);
    }
    state_.ChannelCounter = state_.FirstChannel;
    state_.ScanStopRequest = false;
    state_.ScanningRig = true;
    state_.AutoStatus = false;
    radio_.Option18_Click();
}

void MemoryOperations::askToStopScanning()
{
    state_.ScanningRig = false;
    state_.ClearAfterSelect = false;
    if (dialogs_.message(kScanRig, QStringLiteral("STOP Scan Rig?"), MessageIcon::None, MessageButtons::YesNo)
        == MessageAnswer::Yes)
        state_.ScanStopRequest = true;
    state_.ScanningRig = true;
}

void MemoryOperations::Timer6_Timer()
{
    if (!state_.ScanningRig || !radioStillThere(kScanRig))
        return;
    if (state_.ScanStopRequest) {
        showEnd();
        state_.ChannelCounter = state_.FirstChannel;
        state_.ScanStopRequest = false;
        state_.EntriesPreset = false;
        state_.ScanningRig = false;
        state_.AutoStatus = true;
        return;
    }
    state_.ChannelText = QString::number(state_.ChannelCounter);
    ++state_.ChannelCounter;
    if (state_.ChannelCounter > state_.LastChannel + 1 || state_.ChannelCounter > kChannels + 1) {
        state_.ChannelCounter = state_.FirstChannel;
        state_.ScanStopRequest = false;
        state_.memory.Text7.clear();
        return;
    }
    state_.EntriesPreset = true;
    radio_.Option40_Click();
}

}  // namespace talvex
