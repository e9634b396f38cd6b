// Every procedure of the radio on the scripted line: the frames it writes for the values it is
// given, the display switches, and the flags they leave. What the operator types and is asked:
// tests/radio_window.
#include "tests/radio/fixed_command_bytes.h"
#include "tests/radio/shown_fields.h"
#include "tests/support/test_program.h"

#include "link/memory_record.h"
#include "radio/fixed_commands.h"

#include <gtest/gtest.h>

#include <functional>

namespace talvex::testing {
namespace {

using R = RadioOperations;

QString S(const char* text) { return QString::fromUtf8(text); }

// The record of a Memory Write's first frame ("1A 00 " and the 41 bytes).
MemoryRecord RecordOf(const QString& writeFrame) { return *MemoryRecord::from(Hex(writeFrame.mid(6).toLatin1().constData())); }

// Each call on a fresh program. On the open line: exactly `frames`, each in a write of its own so
// nothing is left half-sent behind another, and the message areas, which only a refused entry
// or Clear Status blanks, untouched; a value the radio has no place for sends nothing. On a
// closed line nothing is written and no answer timer armed, but the channel stepping begins as
// on the open one.
TEST(RadioProcedures, WriteExactlyTheseFramesForTheirValues)
{
    struct Case {
        std::function<void(R&)> call;
        QStringList frames;  // none: nothing sent
    };
    const QByteArray f7100 = Hex("00 00 10 07 00");
    std::vector<Case> cases{
        // the filter list keeps the mode it is given; frequency and mode sets are read back
        {[](R& r) { r.setFilter(2, 1); }, {"06 01 02"}}, {[](R& r) { r.setFilter(3, 8); }, {"06 08 03"}},
        {[](R& r) { r.setFilter(1, 0); }, {"06 00 01"}},
        {[&](R& r) { r.setFrequency(f7100); }, {"05 00 00 10 07 00", "03"}},
        {[](R& r) { r.setFrequency(Hex("00 05 25 14 00")); }, {"05 00 05 25 14 00", "03"}},
        {[](R& r) { r.setMode(1, 3); }, {"06 01 03", "04"}}, {[](R& r) { r.setMode(7, 2); }, {"06 07 02", "04"}},
        // Set Vol: 0-99 as one BCD byte
        {[](R& r) { r.setVolume(25); }, {"14 01 25"}}, {[](R& r) { r.setVolume(7); }, {"14 01 07"}},
        {[](R& r) { r.setVolume(0); }, {"14 01 00"}}, {[](R& r) { r.setVolume(99); }, {"14 01 99"}},
        {[](R& r) { r.setVolume(100); }, {}},
        {[](R& r) { r.sendManual(Hex("1A 05 00 91")); }, {"1A 05 00 91"}}, {[](R& r) { r.sendManual(Hex("FE")); }, {"FE"}},
        // memory channels: 1-99 and the scan edges 100 and 101 (select, read)
        {[](R& r) { r.selectChannel(7); }, {"08 00 07", "1A 00 00 07"}},
        {[](R& r) { r.selectChannel(1); }, {"08 00 01", "1A 00 00 01"}},
        {[](R& r) { r.selectChannel(99); }, {"08 00 99", "1A 00 00 99"}},
        {[](R& r) { r.selectChannel(100); }, {"08 01 00", "1A 00 01 00"}},
        {[](R& r) { r.selectChannel(101); }, {"08 01 01", "1A 00 01 01"}},
        {[](R& r) { r.selectChannel(0); }, {}}, {[](R& r) { r.selectChannel(102); }, {}},
        {[](R& r) { r.readChannel(5); }, {"1A 00 00 05"}}, {[](R& r) { r.readChannel(101); }, {"1A 00 01 01"}},
        {[](R& r) { r.readChannel(0); }, {}},
        {[](R& r) { r.clearSelectedChannel(); }, {"0B"}},
        {[&](R& r) { r.writeChannel({5, f7100, 0, 1, "HOME      "}); }, Write("00 01", "48 4F 4D 45 20 20 20 20 20 20")},
        {[](R& r) { r.writeChannel({99, Hex("00 00 50 00 00"), 5, 3, "ABCDEFGHIJ"}); },
            Write("05 03", "41 42 43 44 45 46 47 48 49 4A", "00 99", "00 00 50 00 00")},
        // Channel 100 cannot be written from the window; a backup gives the scan edges back whole.
        {[&](R& r) { r.writeChannel({100, f7100, 0, 1, "HOME      "}); }, {}},
        {[](R& r) { r.writeRecord(RecordOf(Write("02 02", "50 32 20 20 20 20 20 20 20 20", "01 01")[0])); },
            Write("02 02", "50 32 20 20 20 20 20 20 20 20", "01 01")},
        // power on wakes the radio with 25 prefixes, all 103 bytes in one write
        {[](R& r) { r.powerOn(); }, {S("FE FE 94 E0 ").repeated(24) + S("18 01")}},
    };
    for (const FixedBytes& row : kFixedCommandBytes)
        cases.push_back({[command = row.command](R& r) { r.sendFixed(command); }, {S(row.bytes)}});
    EXPECT_EQ(FixedCommands().size(), std::size(kFixedCommandBytes));  // no row left unchecked
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases.data() << " " << c.frames.join(u'|').toStdString());
        const auto run = [&c](TestProgram& t) {
            Fill(t.program->state);
            c.call(t.program->radio);
            QStringList writes;
            for (const QByteArray& write : t.port.takeWrites())
                writes << QString::fromLatin1(write.toHex(' ').toUpper());
            return writes;
        };
        OpenProgram open;
        QStringList framed;
        for (const QString& frame : c.frames)
            framed << S("FE FE 94 E0 ") + frame + S(" FD");
        EXPECT_EQ(run(open), framed);
        EXPECT_EQ(Fields(open.program->state).mid(6), (QStringList{kTraffic, kTraffic}));
        TestProgram closed;
        EXPECT_TRUE(run(closed).isEmpty());
        EXPECT_FALSE(closed.timer2().isEnabled());
        EXPECT_EQ(open.program->radio.channelSelected(), closed.program->radio.channelSelected());
    }
}

// Auto Status Toggle and Clear Status: a switch and blanks, never a frame (the captions in turn,
// HEX and BCD: the window test).
TEST(RadioSwitches, TheDisplaySwitchesSetTheirFlagsAndBlankWithoutSending)
{
    OpenProgram t;
    ProgramState& state = t.program->state;
    Fill(state);
    t.program->radio.toggleAutoStatus();
    EXPECT_FALSE(state.AutoStatus);
    EXPECT_EQ(Fields(state), QStringList(8, S(" ")));  // as Clear Status does
    // Something else switching the flag leaves the caption where its own clicks put it.
    state.AutoStatus = true;
    t.program->radio.toggleAutoStatus();
    EXPECT_FALSE(state.AutoStatus);
    EXPECT_EQ(state.radio.AutoStatusCaption, u"Disable Auto Status");
    Fill(state);
    t.program->radio.clearStatus();
    EXPECT_EQ(Fields(state), QStringList(8, S(" ")));
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
}

}  // namespace
}  // namespace talvex::testing
