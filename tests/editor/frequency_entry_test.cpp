// Frequencies as operators type them, into the zone's MM.KKK.H.
#include "editor/frequency_entry.h"

#include "editor_lines.h"

#include <gtest/gtest.h>

namespace talvex::editor {
namespace {

struct Typed {
    const char* text;
    const char* zone;  // nullptr: refused
    bool cut;
};

TEST(FrequencyEntry, EveryFormOperatorsTypeGivesTheZone)
{
    const Typed cases[] = {
        {"14.074", "14.074.0", false},   {"14074", "14.074.0", false},    {"14.074.0", "14.074.0", false},
        {"7.0745", "07.074.5", false},   {"7074.5", "07.074.5", false},   {"7", "07.000.0", false},
        {"0.030", "00.030.0", false},    {"30", "30.000.0", false},       {"100", "00.100.0", false},
        {"74.8", "74.800.0", false},     {"99.9999", "99.999.9", false},  {" 3.5 ", "03.500.0", false},
        {"14.07405", "14.074.0", true},  {"14.074.05", "14.074.0", true}, {"14074.01", "14.074.0", true},
        {"14.074001", "14.074.0", true}, {"100.0", "00.100.0", false},   {"144.000", "00.144.0", false},
        {"99999", "99.999.0", false},     {"100000", nullptr, false},       {"", nullptr, false},            {"abc", nullptr, false},
        {"-7", nullptr, false},          {"14.074.0.0", nullptr, false},
        // A decimal comma is the decimal point; a comma beside a point, or a second one, is no frequency.
        {"29,64", "29.640.0", false},    {"7,074", "07.074.0", false},    {"14074,5", "14.074.5", false},
        {",5", nullptr, false},          {"0,030", "00.030.0", false},    {"14,07405", "14.074.0", true},
        {"14.074,5", nullptr, false},    {"14,074.5", nullptr, false},    {"1,234,5", nullptr, false},
        {"14.0740000001", nullptr, false},
    };
    for (const Typed& typed : cases) {
        SCOPED_TRACE(typed.text);
        const auto entry = ParseFrequencyEntry(QString::fromLatin1(typed.text));
        if (typed.zone == nullptr) {
            EXPECT_FALSE(entry.has_value());
            continue;
        }
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(FrequencyZoneText(entry->hz), QString::fromLatin1(typed.zone));
        EXPECT_EQ(entry->cut, typed.cut);
    }
}

TEST(FrequencyEntry, ATextThatIsNoFrequencyIsToldWhy)
{
    const struct {
        const char* typed;
        const char* why;
    } cases[] = {
        {"14.074,5", "\"14.074,5\" has both a decimal comma and a point: type one of them (14.074.5 or 14074,5)"},
        {"1,234,5", "\"1,234,5\" has 2 commas: a frequency takes one decimal comma (29,64 or 14074,5)"},
        {"abc", "\"abc\" is no frequency: type 14.074 (MHz), 14074 (kHz) or 14.074.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FrequencyRefusal(QString::fromLatin1(c.typed)), QString::fromLatin1(c.why));
}

TEST(FrequencyEntry, TheCutIsToldWithWhatWasTypedAndWhatIsKept)
{
    const auto entry = ParseFrequencyEntry(QStringLiteral("14.07405"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(CutMessage(*entry), u"digits past 100 Hz are cut: 14074050 Hz is kept as 14.074.0 (the file holds 100 Hz steps)");
}

}  // namespace
}  // namespace talvex::editor
