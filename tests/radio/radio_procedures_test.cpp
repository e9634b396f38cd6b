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
// or Clear Status blanks, untouched. On a closed line nothing is written and no answer timer
// armed, but the channel stepping begins as on the open one.
TEST(RadioProcedures, WriteExactlyTheseFramesForTheirValues)
{
    struct Case {
        std::function<void(R&)> call;
        QStringList frames;  // none: nothing sent
    };
    // What the window's questions send for typed answers: tests/radio_window. Here, what only a
    // caller with values of its own reaches.
    const QByteArray f7100 = Hex("00 00 10 07 00");
    const QStringList p2 = Write("02 02", "50 32 20 20 20 20 20 20 20 20", "01 01");
    std::vector<Case> cases{
        // a value the radio has no place for sends nothing
        {[](R& r) { r.setVolume(100); }, {}}, {[](R& r) { r.selectChannel(0); }, {}},
        {[](R& r) { r.selectChannel(102); }, {}}, {[](R& r) { r.readChannel(0); }, {}},
        // Channel 100 cannot be written from the window; a backup gives the scan edges back whole.
        {[&](R& r) { r.writeChannel({100, f7100, 0, 1, "HOME      "}); }, {}},
        {[&](R& r) { r.writeRecord(RecordOf(p2[0])); }, p2},
        // power on wakes the radio with 25 prefixes, all 103 bytes in one write
        {[](R& r) { r.powerOn(); }, {S("FE FE 94 E0 ").repeated(24) + S("18 01")}},
    };
    for (const FixedBytes& row : kFixedCommandBytes)
        cases.push_back({[command = row.command](R& r) { r.sendFixed(command); }, {S(row.bytes)}});
    EXPECT_EQ(FixedCommands().size(), std::size(kFixedCommandBytes));  // no row left unchecked
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases.data() << " " << c.frames.join(u'|').toStdString());
        const auto run = [&c](TestProgram& t) {
            Fill(*t.program);
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
        EXPECT_EQ(Fields(*open.program).mid(6), (QStringList{kTraffic, kTraffic}));
        TestProgram closed;
        EXPECT_TRUE(run(closed).isEmpty());
        EXPECT_FALSE(closed.timer2().isEnabled());
        EXPECT_EQ(open.program->radio.channelSelected(), closed.program->radio.channelSelected());
    }
}

}  // namespace
}  // namespace talvex::testing
