// The "Radio Operations" column's entries: frequency and mode set, each read back once sent.
#include "radio_operations.h"

#include "link/bcd.h"
#include "link/format.h"
#include "link/frames.h"
#include "link/radio_model.h"
#include "radio/frequency_digits.h"

namespace talvex {

RadioOperations::RadioOperations(ProgramState& state, SerialLink& link, Dialogs& dialogs)
    : state_(state), link_(link), dialogs_(dialogs)
{
}

void RadioOperations::Option42_Click()
{
    state_.FrequencyText = dialogs_.inputOrEmpty(QStringLiteral("Enter  'FREQUENCY'  (MMkkk or MmKkCc)"),
                                                 QStringLiteral("Set Memory Frequency"));
    // Only 3 to 6 digits name a frequency; anything else would put non-BCD bytes on the line.
    const auto frequency = FrequencyBytesOf(state_.FrequencyText);
    if (!frequency) {
        refuseEntry();
        return;
    }
    state_.FrequencyBcd = *frequency;
    link_.SendCommand(CommandFrame(QByteArray(1, 0x05) + *frequency));
    Option48_Click();
}

void RadioOperations::Option41_Click()
{
    state_.ModeValue = dialogs_.inputOrEmpty(QStringLiteral("Enter  'MODE'  (Lsb, Usb, Am, Cw, Rtty, Fm, Cwr, Rttyr)"),
                                             QStringLiteral("Set Memory Mode"), QStringLiteral("AM"));
    const auto mode = ModeCode(state_.ModeValue);
    if (!mode) {
        refuseEntry();
        return;
    }
    state_.FilterValue =
        dialogs_.inputOrEmpty(QStringLiteral("Enter  'FILTER'  (") + NumbersUpTo(kRadio.filters).join(u',') + u')',
                              QStringLiteral("Memory Filter"), QStringLiteral("2"));
    const auto filter = WholeNumberIn(state_.FilterValue, 1, kRadio.filters);
    if (!filter) {
        refuseEntry();
        return;
    }
    send({0x06, static_cast<std::uint8_t>(*mode), static_cast<std::uint8_t>(*filter)});
    Option49_Click();
}

}  // namespace talvex
