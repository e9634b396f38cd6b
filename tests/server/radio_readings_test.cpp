// What the server sends the radio for each client command, and how it reads the answers: the
// bytes written here by hand from the IC-7300's CI-V reference, never by the code under test.
#include "server/radio_readings.h"

#include "rigserver/command_parser.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace talvex::server {
namespace {

QByteArray Bytes(const char* text) { return QByteArray::fromHex(text); }

rigserver::RigCommand Command(std::string_view line) { return rigserver::ParseLine(line).front(); }

QString Sent(const std::optional<SetPlan>& plan)
{
    if (!plan)
        return QStringLiteral("refused");
    QStringList steps;
    for (const Step& step : plan->steps)
        steps << QString::fromLatin1(step.command.toHex(' ').toUpper()) + (step.read ? QStringLiteral("?") : QString());
    return steps.join(QStringLiteral(" | "));
}

struct SetRow {
    const char* line;
    int filter;
    const char* sent;
};

class PlanSetTest : public ::testing::TestWithParam<SetRow> {};

TEST_P(PlanSetTest, SendsTheSetThenReadsWhatTheWindowShows)
{
    EXPECT_EQ(Sent(PlanSet(Command(GetParam().line), GetParam().filter)), QString::fromLatin1(GetParam().sent));
}

INSTANTIATE_TEST_SUITE_P(Commands, PlanSetTest, ::testing::Values(
    SetRow{"F 14074000", 2, "05 00 40 07 14 00 | 03?"},
    SetRow{"F 74800000", 2, "05 00 00 80 74 00 | 03?"},   // the top of the radio's range
    SetRow{"F 30000", 2, "05 00 00 03 00 00 | 03?"},      // and its bottom
    SetRow{"F 74800001", 2, "refused"},
    SetRow{"F 29999", 2, "refused"},
    SetRow{"M USB 2400", 3, "06 01 02 | 04?"},
    SetRow{"M CW 500", 1, "06 03 02 | 04?"},
    SetRow{"M RTTY -1", 3, "06 04 03 | 04?"},             // -1 keeps the filter in use
    SetRow{"M LSB 0", 1, "06 00 02 | 04?"},               // 0: the mode's normal filter
    SetRow{"V VFOB", 2, "07 01 | 03? | 04?"},
    SetRow{"V VFOA", 2, "07 00 | 03? | 04?"},
    SetRow{"V MEM", 2, "08 | 03? | 04?"},
    SetRow{"T 1", 2, "1C 00 01"},
    SetRow{"T 3", 2, "1C 00 01"},
    SetRow{"T 0", 2, "1C 00 00"},
    SetRow{"S 1 VFOB", 2, "0F 01"},
    SetRow{"S 0 VFOA", 2, "0F 00"},
    SetRow{"I 14075000", 2, "25 01 00 50 07 14 00"},
    SetRow{"X USB 2400", 1, "26 01 01 00 02"},
    SetRow{"L RFPOWER 1", 2, "14 0A 02 55"},
    SetRow{"L RFPOWER 0", 2, "14 0A 00 00"},
    SetRow{"L RFPOWER 1.5", 2, "refused"},
    SetRow{"L STRENGTH 1", 2, "refused"}));

struct ReadRow {
    const char* line;
    const char* payload;
    rigserver::Vfo vfo;
    std::vector<std::string> values;  // empty: no value reads from it
};

class ValuesOfTest : public ::testing::TestWithParam<ReadRow> {};

TEST_P(ValuesOfTest, ReadsTheClientsValuesFromTheAnswer)
{
    const auto command = Command(GetParam().line);
    const auto level = std::get_if<rigserver::LevelChoice>(&command.arguments);
    const auto values = ValuesOf(*ReadingFor(command), Bytes(GetParam().payload), GetParam().vfo,
                                 level ? level->level : rigserver::Level::Strength);
    EXPECT_EQ(values.value_or(std::vector<std::string>{}), GetParam().values);
}

INSTANTIATE_TEST_SUITE_P(Answers, ValuesOfTest, ::testing::Values(
    ReadRow{"f", "030040071400", rigserver::Vfo::A, {"14074000"}},
    ReadRow{"f", "030000807400", rigserver::Vfo::A, {"74800000"}},
    ReadRow{"f", "0300400714", rigserver::Vfo::A, {}},       // cut short
    ReadRow{"f", "0300400A1400", rigserver::Vfo::A, {}},     // not BCD
    ReadRow{"m", "040102", rigserver::Vfo::A, {"USB", "2400"}},
    ReadRow{"m", "040301", rigserver::Vfo::A, {"CW", "1200"}},
    ReadRow{"m", "040903", rigserver::Vfo::A, {}},           // no mode 09
    ReadRow{"t", "1c0001", rigserver::Vfo::A, {"1"}},
    ReadRow{"t", "1c0000", rigserver::Vfo::A, {"0"}},
    ReadRow{"s", "0f00", rigserver::Vfo::A, {"0", "VFOA"}},
    ReadRow{"s", "0f01", rigserver::Vfo::A, {"1", "VFOB"}},
    ReadRow{"s", "0f01", rigserver::Vfo::B, {"1", "VFOA"}},
    ReadRow{"i", "25010050071400", rigserver::Vfo::A, {"14075000"}},
    ReadRow{"x", "2601030001", rigserver::Vfo::A, {"CW", "1200"}},
    ReadRow{"l STRENGTH", "15020000", rigserver::Vfo::A, {"-54"}},
    ReadRow{"l STRENGTH", "15020120", rigserver::Vfo::A, {"0"}},
    ReadRow{"l STRENGTH", "15020241", rigserver::Vfo::A, {"60"}},
    ReadRow{"l STRENGTH", "15020256", rigserver::Vfo::A, {}},
    ReadRow{"l STRENGTH", "15020A00", rigserver::Vfo::A, {}},      // not BCD
    ReadRow{"l RFPOWER", "140A02", rigserver::Vfo::A, {}},         // cut short
    ReadRow{"l RFPOWER", "140A0255", rigserver::Vfo::A, {"1.000000"}},
    ReadRow{"l RFPOWER", "140A0000", rigserver::Vfo::A, {"0.000000"}}));

// The client's answers are picked out of a window that also holds another request's frames
// and a broadcast: each step takes the next answer of its own kind, in order.
TEST(MatchAnswers, TakesEachStepsOwnAnswerInOrder)
{
    const std::vector<Step> steps{{Bytes("0500400714"), false}, {Bytes("03"), true}};
    const std::vector<QByteArray> answers{Bytes("FEFEE0940401FD"), Bytes("FEFEE094FBFD"), Bytes("FEFEE094FBFD"),
                                          Bytes("FEFEE094030040071400FD")};
    const auto matched = MatchAnswers(steps, answers);
    ASSERT_EQ(matched.size(), 2u);
    EXPECT_EQ(matched[0], Bytes("FB"));
    EXPECT_EQ(matched[1], Bytes("030040071400"));
    EXPECT_EQ(SetResult(matched[0]), rigserver::code::kOk);
    EXPECT_EQ(SetResult(Bytes("FA")), rigserver::code::kRejected);
    EXPECT_EQ(SetResult(std::nullopt), rigserver::code::kTimeout);
    EXPECT_EQ(MatchAnswers(steps, {}), (std::vector<std::optional<QByteArray>>{std::nullopt, std::nullopt}));
}

TEST(BroadcastAsAnswer, StandsForTheReadItAnswers)
{
    EXPECT_EQ(BroadcastAsAnswer(Bytes("000040071400")), Bytes("030040071400"));
    EXPECT_EQ(BroadcastAsAnswer(Bytes("010302")), Bytes("040302"));
    EXPECT_EQ(BroadcastAsAnswer(Bytes("0100")), std::nullopt);
    EXPECT_EQ(BroadcastAsAnswer(Bytes("1C0001")), std::nullopt);
}

}  // namespace
}  // namespace talvex::server
