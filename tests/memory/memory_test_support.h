#pragma once

#include "datafile/data_line.h"
#include "datafile/record_zone.h"
#include "tests/support/sim_memory.h"
#include "tests/support/test_program.h"

#include <QFile>

#include <gtest/gtest.h>

#include <map>

namespace talvex::testing {

using Frames = QStringList;
using Click = void (MemoryWindowOperations::*)();

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << path.toStdString();
}

inline QString Two(int value) { return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0')); }

// A radio memory channel as the radio holds it; digits MMkkkh, empty for a blank channel.
struct RadioChannel {
    int channel = 1;
    QString digits = {};
    int mode = 1, filter = 1;
    bool selected = false;
    QString label = {};
};

// Channel n of a sample radio: every tenth blank, the others each with its own frequency, mode,
// filter and select, labelled "CH n" (33 and 34 with a tab and bytes above 7E in the label).
inline RadioChannel SampleChannel(int n)
{
    const int modes[] = {0, 1, 2, 3, 4, 5, 7, 8};
    const QString label = n == 33 ? "TAB\tNAME" : n == 34 ? QString::fromLatin1("CAF\xC9 \xFF") : "CH " + QString::number(n);
    if (n % 10 == 0)
        return {n};
    return {n, Two(n % 30 + 1) + QStringLiteral("%1").arg(n * 7 % 1000, 3, 10, QChar(u'0')) + QString::number(n % 10),
            modes[n % 8], n % 3 + 1, n % 4 == 0, label};
}

// The 41 contents bytes of `c`, as a memory read answers them and a memory write sends them.
inline QByteArray ContentsOf(const RadioChannel& c)
{
    const auto bcd = [](int value) { return static_cast<char>(((value / 10) << 4) | (value % 10)); };
    const QString hz = (c.digits + "00").rightJustified(10, u'0');
    QByteArray set;
    for (int pair = 4; pair >= 0; --pair)
        set += bcd(hz.mid(pair * 2, 2).toInt());
    set += QByteArray(1, static_cast<char>(c.mode)) + static_cast<char>(c.filter) + QByteArray::fromHex("00001000001000");
    return QByteArray(1, bcd(c.channel / 100)) + bcd(c.channel % 100) + static_cast<char>(c.selected) + set + set
        + c.label.leftJustified(10, u' ', true).toLatin1();
}

// A label as a file line holds it: ten columns, control bytes and bytes above 7E as blanks. The
// radio's label rules are written out here, not read from its description, as an oracle of their own.
inline QString WritableLabel(QString label)
{
    for (QChar& c : label)
        c = c.unicode() < 0x20 || c.unicode() > 0x7E ? u' ' : c;
    return label.leftJustified(10, u' ', true);
}

// The sample radio's channels; or as Update Rig writes them back from SampleFile: with its own
// select value, and labels as the file holds them.
inline std::map<int, QByteArray> SampleMemory(bool asWritten)
{
    std::map<int, QByteArray> memory;
    for (int n = 1; n <= 99; ++n) {
        RadioChannel c = SampleChannel(n);
        if (asWritten)
            std::tie(c.selected, c.label) = std::tuple(false, WritableLabel(c.label));
        if (!c.digits.isEmpty())
            memory[n] = ContentsOf(c);
    }
    return memory;
}

// TALVEX.TXT as Create File writes it of the sample radio, byte for byte: each channel line as
// the radio's bytes give it, its label as a file line holds it, and (unless `withRecords` is
// false) the channel's whole record from column 85.
inline QByteArray SampleFile(bool withRecords = true)
{
    const QString e, heading = FormatDataLine({" Ch#", "Freq..:.", "Mode", "Fil #", "      ", "Label....."});
    const QString empty = FormatDataLine({e, e, e, e, e, e});
    QStringList lines{FormatDataLine({e, e, e, e, e, "TALVEX.TXT"}), heading, empty};
    const auto memory = SampleMemory(false);
    int channel = 0;
    for (const QString& line : ExpectedChannelLines(memory, false)) {
        QString written = line.size() > 70 ? line.left(70) + WritableLabel(line.mid(70)) : line;
        if (const auto held = memory.find(++channel); withRecords && held != memory.end())
            written = WithRecordZone(written, *MemoryRecord::from(held->second));
        lines << written;
    }
    lines << empty << heading << empty << FormatDataLine({" END", e, e, e, e, e});
    return (lines.join("\r\n") + "\r\n").toLatin1();
}

// The reads of `channels` from a radio whose answers come clean: each channel read twice in one
// request, and taken when the two agree.
inline Frames ReadFrames(std::initializer_list<int> channels)
{
    Frames frames;
    for (int channel : channels)
        frames << "1A 00 00 " + Two(channel) << "1A 00 00 " + Two(channel);
    return frames;
}

// The frames Update Rig sends for a channel line: memory mode, the write, then the read-back;
// and those of a cleared channel.
inline Frames WriteFrames(const RadioChannel& c)
{
    const QString write = QString::fromLatin1((Hex("1A 00") + ContentsOf(c)).toHex(' ').toUpper());
    return {"08", write, "08", "08 00 " + Two(c.channel), "1A 00 00 " + Two(c.channel)};
}
// A clear is two steps: the select (and the read the select procedure follows it with), then
// once the radio confirmed it, the clear frames and the read-back that must find the channel
// blank. Update Rig sends two clears, Blank Rig the memory mode first and one clear.
inline Frames ClearFrames(int channel)
{
    const QString read = "1A 00 00 " + Two(channel);
    return {"08 00 " + Two(channel), read, "0B", "0B", read};
}
inline Frames BlankFrames(int channel)
{
    const QString read = "1A 00 00 " + Two(channel);
    return {"08", "08 00 " + Two(channel), read, "0B", read};
}

// Every message shown so far as "title|text"; or every input asked as "prompt|title|default".
inline QStringList Shown(const TestProgram& t, bool inputs = false)
{
    QStringList shown;
    for (const ShownMessage& m : t.dialogs.messages)
        shown << m.title + u'|' + m.text;
    QStringList asked;
    for (const ShownInput& in : t.dialogs.inputs)
        asked << in.prompt + u'|' + in.title + u'|' + in.defaultText;
    return inputs ? asked : shown;
}

// The last message shown as "title|text", with "!" before it when it was critical; "" when none was.
inline QString LastShown(const TestProgram& t)
{
    if (t.dialogs.messages.empty())
        return {};
    const ShownMessage& m = t.dialogs.messages.back();
    return (m.icon == MessageIcon::Critical ? "!" : "") + m.title + u'|' + m.text;
}

// A program with its port open, a scripted radio answering, and helpers to run memory operations.
struct MemoryRig : OpenProgram {
    // A radio holding `held`; TALVEX.TXT holding `file` (unless null) opened as the data file.
    explicit MemoryRig(std::map<int, QByteArray> held = {}, const QByteArray& file = {})
    {
        radio.memory = std::move(held);
        if (!file.isNull())
            useFile(file);
    }
    ProgramState& state() const { return program->state; }
    MemoryFields& memoryFields() const { return program->memoryTexts.fields(); }
    MemoryOperations& memory() const { return program->memory; }
    MemoryWindowOperations& memoryWindow() const { return program->memoryWindow; }
    // Scripts the answer to the next question, then the inputs asked after it, then clicks.
    void start(Click click, const QList<std::optional<QString>>& inputs = {}, MessageAnswer first = MessageAnswer::Yes)
    {
        dialogs.answerMessage(first);
        for (const auto& input : inputs)
            dialogs.answerInput(input);
        (memoryWindow().*click)();
    }
    // The same for a procedure that takes an argument (a named file's button).
    void start(const std::function<void(MemoryWindowOperations&)>& click, const QList<std::optional<QString>>& inputs = {},
               MessageAnswer first = MessageAnswer::Yes)
    {
        dialogs.answerMessage(first);
        for (const auto& input : inputs)
            dialogs.answerInput(input);
        click(memoryWindow());
    }
    // Writes TALVEX.TXT and opens it as the data file.
    void useFile(const QByteArray& contents)
    {
        WriteBytes(path("TALVEX.TXT"), contents);
        QString name = "TALVEX.TXT";
        EXPECT_FALSE(program->dataFile.OpenDataFile(name, FileMode::Input).failure);
    }
    // Ticks memory timer `timer` until no operation runs, `late` more times while each answer is
    // awaited (none may send anything), then once more, which must send nothing. Every frame sent.
    Frames run(Step timer, int late = 0)
    {
        Frames frames;
        for (ticks = 0; ticks < 20000 && state().anyMemoryOperationRunning(); ++ticks) {
            frames << tick(timer);
            if (afterTick)
                afterTick();
            for (int i = 0; i < late && timer2().isEnabled(); ++i) {
                memoryTimer(timer).fire();
                EXPECT_EQ(port.takeWritten(), QByteArray()) << "a tick stepped while an answer was awaited";
            }
        }
        EXPECT_FALSE(state().anyMemoryOperationRunning()) << "still running after " << ticks << " ticks";
        EXPECT_EQ(tick(timer), Frames{}) << "a tick after the end sent something";
        return frames;
    }
    // The steps that go at the line's pace, each as soon as the last one's answer is in: every
    // frame they sent.
    Frames pace()
    {
        Frames frames;
        auto& timer = static_cast<ManualTimer&>(memory().paceTimer());
        for (closeAnswerWindow(); timer.isEnabled(); closeAnswerWindow()) {
            timer.fire();
            const QByteArray written = port.takeWritten();
            port.receive(overTheLine(written));
            frames << FramesOf(written);
        }
        return frames;
    }
    int ticks = 0;
    std::function<void()> afterTick;
};

}  // namespace talvex::testing
