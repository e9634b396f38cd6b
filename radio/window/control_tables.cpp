#include "radio/window/control_tables.h"

namespace talvex {

using R = RadioOperations;

const std::vector<ListControl>& FunctionLists()
{
    static const std::vector<ListControl> lists{
        {"List1", {120, 2880, 1095, 1620},
            {{"AM", &R::Option3_Click}, {"FM", &R::Option4_Click}, {"USB", &R::Option5_Click},
                {"LSB", &R::Option6_Click}, {"CW", &R::Option7_Click}, {"CWr", &R::Option8_Click},
                {"RTTY", &R::Option9_Click}, {"RTTYr", &R::Option10_Click}}},
        {"List2", {1320, 2880, 1095, 645},
            {{"Filter 1", &R::Option34_Click}, {"Filter 2", &R::Option35_Click},
                {"Filter 3", &R::Option36_Click}}},
        {"List4", {2520, 2880, 1215, 450}, {{"VFO", &R::Option17_Click}, {"MEM", &R::Option18_Click}}},
        {"List3", {2520, 3480, 1215, 450},
            {{"VFO A", &R::Option11_Click}, {"VFO B", &R::Option12_Click}}},
        {"List7", {2520, 4080, 1215, 450},
            {{"Split Off", &R::Option15_Click}, {"Split On", &R::Option16_Click}}},
        {"List5", {2520, 4680, 1215, 450},
            {{"RIT Off", &R::Option19_Click}, {"RIT On", &R::Option20_Click}}},
        {"List6", {2520, 5280, 1215, 450},
            {{"^TX Off", &R::Option13_Click}, {"^TX On", &R::Option14_Click}}},
        {"List10", {3840, 2880, 1215, 450},
            {{"Monitor Off", &R::Option23_Click}, {"Monitor On", &R::Option24_Click}}},
        {"List13", {3840, 3480, 1215, 645},
            {{"Tuner Off", &R::Option31_Click}, {"Tuner On", &R::Option32_Click},
                {"TUNE", &R::Option33_Click}}},
        {"List14", {3840, 4200, 1215, 645},
            {{"Pre Amp Off", &R::Option50_Click}, {"Pre Amp 1", &R::Option51_Click},
                {"Pre Amp 2", &R::Option52_Click}}},
        {"List17", {3840, 4920, 1215, 450},
            {{"Attenuator Off", &R::Option56_Click}, {"Attenuator On", &R::Option57_Click}}},
        {"List11", {3840, 5520, 1215, 450},
            {{"VOX Off", &R::Option29_Click}, {"VOX On", &R::Option30_Click}}},
        {"List15", {3840, 6120, 1215, 645},
            {{"Bk-In Off", &R::Option53_Click}, {"Bk-In Semi", &R::Option54_Click},
                {"Bk-In Full", &R::Option55_Click}}},
        {"List12", {5160, 2880, 1215, 450},
            {{"Man Notch Off", &R::Option25_Click}, {"Man Notch On", &R::Option26_Click}}},
        {"List16", {5160, 3480, 1215, 450},
            {{"Auto Notch Off", &R::Option27_Click}, {"Auto Notch On", &R::Option28_Click}}},
        {"List8", {5160, 4080, 1215, 450}, {{"NR Off", &R::Option1_Click}, {"NR On", &R::Option2_Click}}},
        {"List9", {5160, 4680, 1215, 450}, {{"NB Off", &R::Option21_Click}, {"NB On", &R::Option22_Click}}},
    };
    return lists;
}

// The option columns are one row (240 twips) per button; the memory column's lower four stand
// indented under the two that read and select.
const std::vector<ButtonControl>& OperationButtons()
{
    constexpr int kWide = 2100;
    constexpr int kNarrow = 1980;
    constexpr int kRow = 240;
    static const std::vector<ButtonControl> buttons{
        {"Option48", "Query Current Frequency", {6480, 2880, kWide, kRow}, &R::Option48_Click},
        {"Option49", "Query Current Mode", {6480, 3120, kWide, kRow}, &R::Option49_Click},
        {"Option39", "Query Edge Frequency", {6480, 3360, kWide, kRow}, &R::Option39_Click},
        {"Option42", "Radio Frequency Set", {6480, 3720, kWide, kRow}, &R::Option42_Click},
        {"Option41", "Radio Mode Set", {6480, 3960, kWide, kRow}, &R::Option41_Click},
        {"Option47", "Memory > VFO", {6480, 4320, kWide, kRow}, &R::Option47_Click},
        {"Option58", "VFO A = B", {6480, 4560, kWide, kRow}, &R::Option58_Click},
        {"Option45", "Query Memory Channel", {6480, 5280, kWide, kRow}, &R::Option45_Click},
        {"Option40", "Memory Channel Select", {6480, 5520, kWide, kRow}, &R::Option40_Click},
        {"Option43", "Memory Channel Clear", {6600, 5880, kNarrow, kRow}, &R::Option43_Click},
        {"Option44", "Memory Write", {6600, 6120, kNarrow, kRow}, &R::Option44_Click},
        {"Option46", "Memory UP", {6600, 6480, kNarrow, kRow}, &R::Option46_Click},
        {"Option59", "Memory DN", {6600, 6720, kNarrow, kRow}, &R::Option59_Click},
    };
    return buttons;
}

// Inside the Command Control frame: two columns of short captions, then full-width rows. The
// rows leave room for My Call, R/T Status and Manual Command, which stand on the window over the
// frame at fixed places (frame-relative 1200/960, 240/2760, 240/4320).
const std::vector<ButtonControl>& CommandControlButtons()
{
    constexpr int kLeft = 240;
    constexpr int kRight = 1200;
    constexpr int kHalf = 900;
    constexpr int kRightHalf = 1095;
    constexpr int kFull = 2055;
    constexpr int kHeight = 375;
    static const std::vector<ButtonControl> buttons{
        {"Command30", "Rig ID", {kLeft, 960, kHalf, kHeight}, &R::Command30_Click},
        {"Command34", "Time", {kLeft, 1410, kHalf, kHeight}, &R::Command34_Click},
        {"Command48", "S-Meter ", {kRight, 1410, kRightHalf, kHeight}, &R::Command48_Click},
        {"Command2", "Set Vol", {kLeft, 1860, kHalf, kHeight}, &R::Command2_Click},
        {"Command31", "Speech", {kRight, 1860, kRightHalf, kHeight}, &R::Command31_Click},
        {"Command47", "Squelch Status ", {kLeft, 2310, kFull, kHeight}, &R::Command47_Click},
        {"Command44", "Auto Status Toggle", {kLeft, 3280, kFull, kHeight}, &R::Command44_Click},
        {"Command36", "Clear Status", {kLeft, 3800, kFull, kHeight}, &R::Command36_Click},
    };
    return buttons;
}

const std::vector<ButtonControl>& WindowButtons()
{
    static const std::vector<ButtonControl> buttons{
        {"Command3", "My Call", {9840, 3360, 1095, 375}, &R::Command3_Click},
        {"Command4", "R/T Status", {8880, 5160, 2055, 375}, &R::Command4_Click},
        {"Command49", "Manual Command", {8880, 6720, 2055, 375}, &R::Command49_Click},
        {"Command5", "Power ON", {9120, 840, 1455, 1095}, &R::Command5_Click},
        {"Command6", "Power OFF", {11040, 840, 1455, 1095}, &R::Command6_Click},
    };
    return buttons;
}

}  // namespace talvex
