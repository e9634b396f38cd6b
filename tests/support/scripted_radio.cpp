#include "scripted_radio.h"

namespace talvex::testing {

namespace {

const QByteArray kToRadio = QByteArray::fromHex("FEFE94E0");
const QByteArray kToController = QByteArray::fromHex("FEFEE094");
const QByteArray kOk = kToController + QByteArray::fromHex("FBFD");
const QByteArray kNg = kToController + QByteArray::fromHex("FAFD");

int FromBcd(char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    return (b >> 4) * 10 + (b & 0x0F);
}

int ChannelOf(const QByteArray& field) { return FromBcd(field[0]) * 100 + FromBcd(field[1]); }

}  // namespace

QByteArray ScriptedRadio::answer(const QByteArray& written)
{
    QByteArray answers;
    qsizetype at = written.indexOf(kToRadio);
    while (at >= 0) {
        const qsizetype end = written.indexOf('\xFD', at);
        if (end < 0)
            break;
        ++frames;
        const QByteArray command = written.mid(at + 4, end - at - 4);
        const bool namesChannel = (command.startsWith('\x08') && command.size() == 3)
            || (command.startsWith(QByteArray::fromHex("1A00")) && command.size() >= 4);
        if (namesChannel && ChannelOf(command.mid(command.size() == 3 ? 1 : 2, 2)) >= silentFrom)
            silent = true;
        if (!silent)
            answers += answerFrame(command);
        at = written.indexOf(kToRadio, end);
    }
    return silent ? QByteArray() : written + answers;
}

QByteArray ScriptedRadio::answerFrame(const QByteArray& command)
{
    const auto code = command.isEmpty() ? 0 : static_cast<unsigned char>(command[0]);
    if (code == 0x03 && command.size() == 1)
        return kToController + QByteArray::fromHex("03004007140000").left(6) + '\xFD';
    if (code == 0x08 && command.size() == 1)
        return kOk;
    if (code == 0x08 && command.size() == 3) {
        selected_ = ChannelOf(command.mid(1, 2));
        return kOk;
    }
    if (code == 0x0B && command.size() == 1) {
        memory.erase(selected_);
        return kOk;
    }
    if (command.startsWith(QByteArray::fromHex("1A00")) && command.size() == 4) {
        const QByteArray field = command.mid(2, 2);
        const auto held = memory.find(ChannelOf(field));
        if (held == memory.end())
            return kToController + command + QByteArray::fromHex("FFFD");
        return kToController + command.left(2) + held->second + '\xFD';
    }
    if (command.startsWith(QByteArray::fromHex("1A00")) && command.size() == 2 + 41) {
        QByteArray contents = command.mid(2);
        const int channel = ChannelOf(contents.left(2));
        if (refuseWrites.count(channel))
            return kNg;
        if (storeWrong.count(channel))
            contents[31] = static_cast<char>(contents[31] == 'X' ? 'Y' : 'X');
        memory[channel] = contents;
        return kOk;
    }
    return kNg;
}

}  // namespace talvex::testing
