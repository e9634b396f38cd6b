#include "scripted_radio.h"

namespace talvex::testing {

namespace {

const QByteArray kToRadio = QByteArray::fromHex("FEFE94E0");
const QByteArray kToController = QByteArray::fromHex("FEFEE094");
const QByteArray kOk = kToController + QByteArray::fromHex("FBFD");
const QByteArray kNg = kToController + QByteArray::fromHex("FAFD");
const QByteArray kMemory = QByteArray::fromHex("1A00");

int FromBcd(char byte) { return (static_cast<unsigned char>(byte) >> 4) * 10 + (byte & 0x0F); }
int ChannelOf(const QByteArray& field) { return FromBcd(field[0]) * 100 + FromBcd(field[1]); }

}  // namespace

QByteArray ScriptedRadio::answer(const QByteArray& written)
{
    QByteArray answers;
    for (qsizetype at = written.indexOf(kToRadio); at >= 0; at = written.indexOf(kToRadio, at + 1)) {
        const qsizetype end = written.indexOf('\xFD', at);
        if (end < 0)
            break;
        ++frames;
        const QByteArray command = written.mid(at + 4, end - at - 4);
        const bool names = (command.size() == 3 && command[0] == '\x08') || (command.startsWith(kMemory) && command.size() >= 4);
        if (names && ChannelOf(command.mid(command.size() == 3 ? 1 : 2)) >= silentFrom)
            silent = true;
        if (!silent)
            answers += answerFrame(command);
    }
    return silent ? QByteArray() : written + answers;
}

QByteArray ScriptedRadio::answerFrame(const QByteArray& command)
{
    if (command == "\x03")  // the frequency: 14.074.00 MHz
        return kToController + QByteArray::fromHex("030040071400FD");
    const bool select = command.size() == 3 && command[0] == '\x08';
    if (select)
        selected_ = ChannelOf(command.mid(1));
    if (command == "\x0B")
        memory.erase(selected_);
    if (select || command == "\x08" || command == "\x0B")
        return kOk;
    if (!command.startsWith(kMemory) || (command.size() != 4 && command.size() != 2 + 41))
        return kNg;
    const int channel = ChannelOf(command.mid(2));
    if (command.size() == 4) {
        const auto held = memory.find(channel);
        return kToController + (held == memory.end() ? command + '\xFF' : kMemory + held->second) + '\xFD';
    }
    if (refuseWrites.count(channel))
        return kNg;
    memory[channel] = command.mid(2);
    if (storeWrong.count(channel))
        memory[channel][31] = memory[channel][31] == 'X' ? 'Y' : 'X';
    return kOk;
}

}  // namespace talvex::testing
