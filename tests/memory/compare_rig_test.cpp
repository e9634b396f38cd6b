// Compare Rig against a scripted radio: it reads what Update Rig would read, writes nothing, and
// plans each line as Update Rig would take it.
#include "memory_test_support.h"

#include "platform/clock.h"

#include <QDir>

namespace talvex::testing {
namespace {

MemoryRequest Compare(const QStringList& lines)
{
    MemoryRequest request;
    request.lines = lines;
    return request;
}

QStringList LinesOf(const QByteArray& file) { return QString::fromLatin1(file).split(QStringLiteral("\r\n")); }

QByteArray RenamedSampleFile()
{
    return SampleFile().replace("CH 17     ", "NEW 17    ").replace("CH 31     ", "NEW 31    ");
}

TEST(CompareRig, ReadsEveryChannelTheFileNamesWritesNothingAndPlansEachLine)
{
    // The sample file with 17 and 31 renamed; the radio holds something in channel 10, which
    // the file's blank line 10 would clear.
    MemoryRig t(SampleMemory(false));
    t.radio.memory[10] = ContentsOf({10, "071000"});
    const auto before = t.radio.memory;
    ScriptedClock clock;
    t.memory().setClock(&clock);  // backups on for Update Rig; Compare Rig makes none all the same
    t.memory().compareRig(Compare(LinesOf(RenamedSampleFile())));
    EXPECT_TRUE(t.state().ComparingRig);

    Frames reads;
    for (int n = 1; n <= 99; ++n)
        reads << ReadFrames({n});
    EXPECT_EQ(t.run(Step::UpdateRig), reads);  // reads only: no memory mode, write, select or clear frame
    EXPECT_EQ(t.radio.memory, before);
    EXPECT_FALSE(QDir(t.path(kBackupFolder)).exists());
    EXPECT_EQ(Shown(t), QStringList());  // nothing asked, nothing to tell

    const CompareRig& compared = t.memory().comparison();
    ASSERT_TRUE(compared.complete());
    std::map<int, LinePlan> byChannel;
    for (const PlannedLine& planned : compared.plans()) {
        if (planned.plan.channel != 0)
            byChannel[planned.plan.channel] = planned.plan;
    }
    ASSERT_EQ(byChannel.size(), 99u);
    for (const auto& [channel, plan] : byChannel) {
        SCOPED_TRACE(channel);
        // 17 and 31 renamed; 33 and 34 hold labels a file line cannot carry; 10 cleared.
        const bool renamed = channel == 17 || channel == 31 || channel == 33 || channel == 34;
        const PlanAction expected = renamed        ? PlanAction::Write
                                    : channel == 10 ? PlanAction::Clear
                                    : channel % 10 == 0 ? PlanAction::AlreadyBlank
                                                        : PlanAction::Unchanged;
        EXPECT_EQ(plan.action, expected);
        if (renamed) {
            EXPECT_EQ(plan.changed, std::vector<PlanField>{PlanField::Label});
        }
    }
    EXPECT_EQ(PlanFieldText(PlanField::Label, *byChannel[17].record), u"NEW 17");
    EXPECT_EQ(PlanFieldText(PlanField::Label, **byChannel[17].held), u"CH 17");
}

TEST(CompareRig, ASilentRadioEndsItWithNothingPlannedAndNothingChanged)
{
    MemoryRig t(SampleMemory(false));
    t.radio.silentFrom = 40;
    t.memory().compareRig(Compare(LinesOf(SampleFile())));
    t.run(Step::UpdateRig);
    EXPECT_FALSE(t.memory().comparison().complete());
    EXPECT_TRUE(t.memory().comparison().plans().empty());
    EXPECT_EQ(LastShown(t), "!Compare Rig|The channels could not be read: the radio did not answer for channel 40 ... "
                            "Compare Rig changed nothing.");
    EXPECT_EQ(t.radio.memory, SampleMemory(false));
}

TEST(CompareRig, WaitsItsTurnAndNeedsTheRadio)
{
    MemoryRig t(SampleMemory(false), SampleFile());
    t.start(&MemoryWindowOperations::viewRig);  // View Rig runs
    const StartResult busy = t.memory().compareRig(Compare(LinesOf(SampleFile())));
    EXPECT_FALSE(t.state().ComparingRig);
    ASSERT_TRUE(std::holds_alternative<Refused>(busy));
    EXPECT_EQ(std::get<Refused>(busy).reason, RefusalReason::Busy);
    EXPECT_EQ(std::get<Refused>(busy).text, "View Rig is running ... Compare Rig is refused until Stop ends it.");

    MemoryRig closed(SampleMemory(false));
    closed.state().PortReady = 0;
    const StartResult noRadio = closed.memory().compareRig(Compare(LinesOf(SampleFile())));
    EXPECT_FALSE(closed.state().ComparingRig);
    ASSERT_TRUE(std::holds_alternative<Refused>(noRadio));
    EXPECT_EQ(std::get<Refused>(noRadio).reason, RefusalReason::NoRadio);
    EXPECT_EQ(std::get<Refused>(noRadio).text,
              "The serial port is not open ... Compare Rig needs the radio ... Check System Setup.");
    EXPECT_TRUE(closed.port.takeWritten().isEmpty());
}

}  // namespace
}  // namespace talvex::testing
