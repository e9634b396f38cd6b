#include "scripted_radio.h"

#include "test_program.h"

namespace talvex::testing {

namespace {

int Bcd(char byte) { return (byte >> 4 & 0x0F) * 10 + (byte & 0x0F); }

}  // namespace

QByteArray ScriptedRadio::answer(const QByteArray& written)
{
    const QByteArray reply = QByteArray::fromHex("FEFEE094");
    QByteArray echoes, answers;
    bool everyFrameHeard = true;
    bool garbled = false;
    for (const QString& frame : FramesOf(written)) {
        ++frames;
        QByteArray c = QByteArray::fromHex(frame.toLatin1());
        if (c.size() == 2 + 41 && c.startsWith(QByteArray::fromHex("1A00")) && writesReadAs.count(Bcd(c[3]))) {
            // The radio acts on the frame as it read it, and its echo shows that.
            const int readAs = writesReadAs[Bcd(c[3])];
            writesReadAs.erase(Bcd(c[3]));
            c[2] = static_cast<char>(readAs / 100);
            c[3] = static_cast<char>((readAs % 100 / 10) << 4 | readAs % 10);
            garbled = true;
        }
        const bool select = c.size() == 3 && c[0] == '\x08';
        const bool memoryCommand = c.startsWith(QByteArray::fromHex("1A00")) && c.size() >= 4;
        const int channel = select ? Bcd(c[1]) * 100 + Bcd(c[2]) : memoryCommand ? Bcd(c[2]) * 100 + Bcd(c[3]) : 0;
        silent = silent || channel >= silentFrom;
        const bool heard = !missed.count(select || memoryCommand ? channel : selected);
        everyFrameHeard = everyFrameHeard && heard;
        if (silent || !heard)
            continue;
        echoes += QByteArray::fromHex("FEFE94E0") + c + '\xFD';
        selected = select ? channel : selected;
        if (c == "\x0B" && !clearIgnored.count(selected))
            memory.erase(selected);
        QByteArray out = reply + QByteArray::fromHex("FAFD");  // NG
        if (c == "\x03")                                        // the frequency: 14.074.00 MHz
            out = reply + QByteArray::fromHex("030040071400FD");
        else if (select || c == "\x08" || c == "\x0B")
            out = reply + QByteArray::fromHex("FBFD");  // OK
        else if (memoryCommand && c.size() == 4)  // a channel held as no bytes (a blank one read from a file) is blank
            out = reply + (memory.count(channel) && !memory.at(channel).isEmpty() ? c.left(2) + memory.at(channel) : c + '\xFF') + '\xFD';
        else if (memoryCommand && c.size() == 2 + 41 && writesLost.count(channel))
            out = reply + QByteArray::fromHex("FBFD");
        else if (memoryCommand && c.size() == 2 + 41 && !refuseWrites.count(channel)) {
            memory[channel] = c.mid(2);
            if (storeWrong.count(channel))
                memory[channel][31] = memory[channel][31] == 'X' ? 'Y' : 'X';
            if (const auto other = keptOther.find(channel); other != keptOther.end())
                memory[channel][other->second.first] = other->second.second;
            out = reply + QByteArray::fromHex("FBFD");
        }
        answers += out;
    }
    // The line echoes what was written; a frame the radio missed leaves no echo.
    return silent ? QByteArray() : (everyFrameHeard && !garbled ? written : echoes) + answers;
}

}  // namespace talvex::testing
