// The description the program is built with, asked what the IC-7300 is known to answer: its CI-V
// reference, its menus and its memory, written out here by hand.
#include "link/format.h"
#include "link/radio_model.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

bool CarriesData(int code) { return kRadio.mode(code) && kRadio.mode(code)->carriesData; }

TEST(RadioModel, AnswersAsTheIc7300Does)
{
    const RadioModel& r = kRadio;
    const struct {
        const char* question;
        bool answer;
        bool expected;
    } facts[] = {
        {"runs CI-V at 4800", r.offersRate(4800), true},       {"at 38400", r.offersRate(38400), true},
        {"at 115200", r.offersRate(115200), true},             {"at 1200", r.offersRate(1200), false},
        {"at 230400", r.offersRate(230400), false},            {"its menu offers address 01", r.takesAddress(0x01), true},
        {"address DF", r.takesAddress(0xDF), true},            {"address 00, everyone's", r.takesAddress(0x00), false},
        {"address E0, the controller's", r.takesAddress(0xE0), false},
        {"holds 30 kHz", r.holdsFrequency(30'000), true},      {"29.999 kHz", r.holdsFrequency(29'999), false},
        {"74.8 MHz", r.holdsFrequency(74'800'000), true},      {"74.800001 MHz", r.holdsFrequency(74'800'001), false},
        {"filter 3", r.holdsFilter(3), true},                  {"filter 0", r.holdsFilter(0), false},
        {"filter 4", r.holdsFilter(4), false},                 {"a mode 06", r.mode(0x06) != nullptr, false},
        {"USB carries data", CarriesData(0x01), true},         {"FM carries data", CarriesData(0x05), true},
        {"CW-R carries data", CarriesData(0x07), false},       {"RTTY-R carries data", CarriesData(0x08), false},
        {"tone 67.0", r.holdsTone(670), true},                 {"tone 159.8", r.holdsTone(1598), true},
        {"tone 69.4", r.holdsTone(694), false},                {"a blank in a name", r.holdsLabelCharacter(u' '), true},
        {"a tilde", r.holdsLabelCharacter(u'~'), true},        {"DEL", r.holdsLabelCharacter(u'\x7F'), false},
        {"an e acute", r.holdsLabelCharacter(u'\u00E9'), false},
        {"channel 99 a scan edge", r.isScanEdge(99), false},   {"channel 101", r.isScanEdge(101), true},
        {"channel 102", r.isScanEdge(102), false},
    };
    for (const auto& fact : facts)
        EXPECT_EQ(fact.answer, fact.expected) << fact.question;
}

TEST(RadioModel, NamesItsChannelsModesRatesAndItself)
{
    QStringList setupRates;
    for (const int rate : kRadio.setupRates)
        setupRates << QString::number(rate);
    const struct {
        const char* what;
        QString text;
        const char* expected;
    } names[] = {
        {"its name", RadioName(), "IC-7300"},
        {"its address", QString::number(kRadio.address, 16), "94"},
        {"its channels", ChannelRangeText(), "1-99"},
        {"a channel", ChannelName(7), "7"},
        {"the first scan edge", ChannelName(100), "P1"},
        {"the second", ChannelName(101), "P2"},
        {"its modes", ModeNames().join(u' '), "LSB USB AM CW RTTY FM CWr RTTYr"},
        {"its filters", ChoicesText(NumbersUpTo(kRadio.filters)), "1, 2 or 3"},
        {"System Setup's rates, in order", setupRates.join(u' '), "19200 9600 4800"},
    };
    for (const auto& name : names)
        EXPECT_EQ(name.text, QString::fromLatin1(name.expected)) << name.what;
}

}  // namespace
}  // namespace talvex
