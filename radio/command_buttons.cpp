// The command-control buttons that do more than send one fixed frame, power on, and the display
// switches of the window.
#include "radio_operations.h"

#include "link/bcd.h"
#include "link/frames.h"

namespace talvex {

// A sleeping radio only listens after a run of prefixes, so all 103 bytes go in one write.
void RadioOperations::Command5_Click() { link_.SendCommand(PowerOnFrame()); }

void RadioOperations::Command2_Click()
{
    const QString level = dialogs_.inputOrEmpty(QStringLiteral("Enter  'AUDIO LEVEL'  (0-99)"),
                                                QStringLiteral("Set Audio Level"), QStringLiteral("25"));
    if (level.isEmpty() || level.front() == u' ')
        return;
    // 100 and above has no BCD byte; the radio would take it as some other level.
    const auto value = WholeNumberIn(level, 0, 99);
    if (!value) {
        refuseEntry();
        return;
    }
    send({0x14, 0x01, DecimalToBcd(QString::number(*value)).byte});
}

void RadioOperations::blankDisplayFields()
{
    RadioFields& r = state_.radio;
    r.Text1 = r.Text2 = r.Text3 = r.Text4 = r.Text5 = r.Text6 = QStringLiteral(" ");
}

void RadioOperations::refuseEntry()
{
    state_.radio.Text7 = QStringLiteral(" ");
    state_.memory.Text9 = QStringLiteral(" ");
}

void RadioOperations::Command36_Click()
{
    blankDisplayFields();
    refuseEntry();
}

void RadioOperations::Command44_Click()
{
    state_.AutoStatus = !state_.AutoStatus;
    QString& caption = state_.radio.Command44Caption;
    caption = caption != u"Enable Auto Status" ? QStringLiteral("Enable Auto Status") : QStringLiteral("Disable Auto Status");
    Command36_Click();
}

void RadioOperations::Option60_Click() { state_.HexDisplay = true; }
void RadioOperations::Option61_Click() { state_.HexDisplay = false; }

}  // namespace talvex
