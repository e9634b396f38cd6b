#include "memory_test_support.h"

#include <QFile>

namespace talvex::testing {

namespace {

char Bcd(int value) { return static_cast<char>(((value / 10) << 4) | (value % 10)); }

QString Hex2(int value) { return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0')); }

// A label as a file line holds it: ten columns, control bytes and bytes above 7E as blanks.
QString WritableLabel(QString label)
{
    for (QChar& c : label) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            c = u' ';
    }
    return label.leftJustified(10, u' ', true);
}

}  // namespace

RadioChannel SampleChannel(int n)
{
    if (n % 10 == 0)
        return {n};
    const int modes[] = {0, 1, 2, 3, 4, 5, 7, 8};
    const QString label = n == 33 ? QStringLiteral("TAB\tNAME")
        : n == 34                 ? QString::fromLatin1("CAF\xC9 \xFF")
                                  : QStringLiteral("CH %1").arg(n);
    return {n, Hex2(n % 30 + 1) + QStringLiteral("%1").arg(n * 7 % 1000, 3, 10, QChar(u'0')) + QString::number(n % 10),
            modes[n % 8], n % 3 + 1, n % 4 == 0, label};
}

QByteArray ContentsOf(const RadioChannel& c)
{
    const QString hz = (c.digits + QStringLiteral("00")).rightJustified(10, u'0');
    QByteArray set;
    for (int pair = 4; pair >= 0; --pair)
        set += Bcd(hz.mid(pair * 2, 2).toInt());
    set += static_cast<char>(c.mode);
    set += static_cast<char>(c.filter);
    set += QByteArray::fromHex("00001000001000");
    return Bcd(c.channel / 100) + QByteArray(1, Bcd(c.channel % 100)) + static_cast<char>(c.selected) + set + set
        + c.label.leftJustified(10, u' ', true).toLatin1();
}

std::map<int, QByteArray> SampleMemory()
{
    std::map<int, QByteArray> memory;
    for (int n = 1; n <= 99; ++n) {
        RadioChannel c = SampleChannel(n);
        c.selected = false;  // a memory write sends its own select value
        c.label = WritableLabel(c.label);
        if (!c.digits.isEmpty())
            memory[n] = ContentsOf(c);
    }
    return memory;
}

QByteArray SampleFile()
{
    const QString e;
    const char* modes[] = {"LSB", "USB", "AM", "CW", "RTTY", "FM", "", "CWr", "RTTYr"};
    const QString heading = FormatDataLine({" Ch#", "Freq..:.", "Mode", "Fil #", "      ", "Label....."});
    const QString empty = FormatDataLine({e, e, e, e, e, e});
    QStringList lines{FormatDataLine({e, e, e, e, e, "TALVEX.TXT"}), heading, empty};
    for (int n = 1; n <= 99; ++n) {
        const RadioChannel c = SampleChannel(n);
        const QString d = c.digits;
        lines << (d.isEmpty() ? FormatDataLine({n, e, e, e, e, e})
                              : FormatDataLine({n, d.left(2) + u'.' + d.mid(2, 3) + u'.' + d.mid(5), modes[c.mode],
                                                QStringLiteral("Fil %1").arg(c.filter), c.selected ? "Yes" : "   ",
                                                WritableLabel(c.label)}));
    }
    lines << empty << heading << empty << FormatDataLine({" END", e, e, e, e, e});
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

Frames WriteFrames(const RadioChannel& c)
{
    const QString write = QString::fromLatin1((Hex("1A 00") + ContentsOf(c)).toHex(' ').toUpper());
    return {"08", write, "08", "08 00 " + Hex2(c.channel), "1A 00 00 " + Hex2(c.channel)};
}

Frames ClearFrames(int channel) { return {"08 00 " + Hex2(channel), "0B", "0B"}; }

QStringList Shown(const TestProgram& t)
{
    QStringList shown;
    for (const ShownMessage& m : t.dialogs.messages)
        shown << m.title + u'|' + m.text;
    return shown;
}

void MemoryRig::answer(MessageAnswer first, const QList<std::optional<QString>>& inputs)
{
    dialogs.answerMessage(first);
    for (const auto& input : inputs)
        dialogs.answerInput(input);
}

void MemoryRig::useFile(const QByteArray& contents)
{
    QFile file(path(QStringLiteral("TALVEX.TXT")));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    file.close();
    QString name = QStringLiteral("TALVEX.TXT");
    program->dataFile.OpenDataFile(name, FileMode::Input);
}

Frames MemoryRig::run(int timer, int lateTicks)
{
    Frames frames;
    for (ticks = 0; ticks < 20000 && state().anyMemoryOperationRunning(); ++ticks) {
        frames << tick(timer);
        for (int late = 0; late < lateTicks && timer2().isEnabled(); ++late) {
            memoryTimer(timer).fire();
            EXPECT_TRUE(port.takeWritten().isEmpty()) << "a tick stepped while an answer was awaited";
        }
    }
    EXPECT_FALSE(state().anyMemoryOperationRunning()) << "still running after " << ticks << " ticks";
    EXPECT_EQ(tick(timer), Frames{}) << "a tick after the end sent something";
    return frames;
}

void MemoryRig::fillRadio()
{
    for (int n = 1; n <= 99; ++n) {
        if (const RadioChannel c = SampleChannel(n); !c.digits.isEmpty())
            radio.memory[n] = ContentsOf(c);
    }
}

}  // namespace talvex::testing
