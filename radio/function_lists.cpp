// The mode, filter, VFO and function lists: one fixed frame per item. The filter items carry
// the mode too, because the radio sets mode and filter in one command.
#include "radio_operations.h"

#include "link/format.h"
#include "link/frames.h"

namespace talvex {

void RadioOperations::send(std::initializer_list<std::uint8_t> command) { link_.SendCommand(CommandFrame(command)); }

void RadioOperations::Option3_Click() { send({0x06, 0x02}); }
void RadioOperations::Option4_Click() { send({0x06, 0x05}); }
void RadioOperations::Option5_Click() { send({0x06, 0x01}); }
void RadioOperations::Option6_Click() { send({0x06, 0x00}); }
void RadioOperations::Option7_Click() { send({0x06, 0x03}); }
void RadioOperations::Option8_Click() { send({0x06, 0x07}); }
void RadioOperations::Option9_Click() { send({0x06, 0x04}); }
void RadioOperations::Option10_Click() { send({0x06, 0x08}); }

void RadioOperations::Option34_Click() { sendFilter(0x01); }
void RadioOperations::Option35_Click() { sendFilter(0x02); }
void RadioOperations::Option36_Click() { sendFilter(0x03); }

void RadioOperations::sendFilter(std::uint8_t filter)
{
    // The mode comes from the mode field as the decoder wrote it, compared exactly. With no
    // mode shown there is nothing to keep, and sending mode 00 would switch the radio to LSB.
    const QString& shown = state_.radio.Text4;
    const auto mode = ModeCode(shown);
    if (!mode || ModeName(*mode) != shown) {
        refuseEntry();
        return;
    }
    send({0x06, static_cast<std::uint8_t>(*mode), filter});
}

void RadioOperations::Option17_Click() { send({0x07}); }
void RadioOperations::Option18_Click() { send({0x08}); }
void RadioOperations::Option11_Click() { send({0x07, 0x00}); }
void RadioOperations::Option12_Click() { send({0x07, 0x01}); }
void RadioOperations::Option15_Click() { send({0x0F, 0x00}); }
void RadioOperations::Option16_Click() { send({0x0F, 0x01}); }
void RadioOperations::Option19_Click() { send({0x21, 0x01, 0x00}); }
void RadioOperations::Option20_Click() { send({0x21, 0x01, 0x01}); }
void RadioOperations::Option13_Click() { send({0x21, 0x02, 0x00}); }
void RadioOperations::Option14_Click() { send({0x21, 0x02, 0x01}); }
void RadioOperations::Option23_Click() { send({0x16, 0x45, 0x00}); }
void RadioOperations::Option24_Click() { send({0x16, 0x45, 0x01}); }
void RadioOperations::Option31_Click() { send({0x1C, 0x01, 0x00}); }
void RadioOperations::Option32_Click() { send({0x1C, 0x01, 0x01}); }
void RadioOperations::Option33_Click() { send({0x1C, 0x01, 0x02}); }
void RadioOperations::Option50_Click() { send({0x16, 0x02, 0x00}); }
void RadioOperations::Option51_Click() { send({0x16, 0x02, 0x01}); }
void RadioOperations::Option52_Click() { send({0x16, 0x02, 0x02}); }
void RadioOperations::Option56_Click() { send({0x11, 0x00}); }
void RadioOperations::Option57_Click() { send({0x11, 0x20}); }  // the radio's "on" is 20, not 01
void RadioOperations::Option29_Click() { send({0x16, 0x46, 0x00}); }
void RadioOperations::Option30_Click() { send({0x16, 0x46, 0x01}); }
void RadioOperations::Option53_Click() { send({0x16, 0x47, 0x00}); }
void RadioOperations::Option54_Click() { send({0x16, 0x47, 0x01}); }
void RadioOperations::Option55_Click() { send({0x16, 0x47, 0x02}); }
void RadioOperations::Option25_Click() { send({0x16, 0x48, 0x00}); }
void RadioOperations::Option26_Click() { send({0x16, 0x48, 0x01}); }
void RadioOperations::Option27_Click() { send({0x16, 0x41, 0x00}); }
void RadioOperations::Option28_Click() { send({0x16, 0x41, 0x01}); }
void RadioOperations::Option1_Click() { send({0x16, 0x40, 0x00}); }
void RadioOperations::Option2_Click() { send({0x16, 0x40, 0x01}); }
void RadioOperations::Option21_Click() { send({0x16, 0x22, 0x00}); }
void RadioOperations::Option22_Click() { send({0x16, 0x22, 0x01}); }

}  // namespace talvex
