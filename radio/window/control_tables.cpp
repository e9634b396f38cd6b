#include "radio/window/control_tables.h"

#include <QStringList>

namespace talvex {

using E = RadioEntries;
using R = RadioOperations;
using F = FixedCommand;

namespace {

// A control that puts a fixed command on the line.
Action Send(FixedCommand command)
{
    return [command](RadioEntries& entries) { entries.radio().sendFixed(command); };
}

// A control whose procedure needs nothing from the operator.
Action Run(void (RadioOperations::*procedure)())
{
    return [procedure](RadioEntries& entries) { (entries.radio().*procedure)(); };
}

Action Filter(int filter)
{
    return [filter](RadioEntries& entries) { entries.setFilter(filter); };
}

}  // namespace

const std::vector<FieldCaption>& DisplayFields()
{
    const FontFace large{QStringLiteral("Arial"), 36, true};
    const FontFace mediumItalic{QStringLiteral("Arial"), 15.75, true, true};
    const FontFace medium{QStringLiteral("Arial"), 15.75, true};
    static const std::vector<FieldCaption> captions{
        {"Label2", "Channel", {120, 360, 1455, 240}, {{"Text2", {120, 600, 1455, 810}, large, "memory channel number"}}},
        {"Label1", "Frequency", {1680, 360, 3735, 240}, {{"Text1", {1680, 600, 3735, 825}, large, "operating frequency, MHz"}}},
        {"Label3", "Mode/Filter", {5520, 360, 1215, 240},
            {{"Text4", {5520, 600, 1215, 420}, mediumItalic, "operating mode"},
                {"Text5", {5520, 1080, 1215, 375}, mediumItalic, "filter"}}},
        {"Label5", "Status/Info", {120, 1560, 5295, 240},
            {{"Text6", {120, 1800, 5295, 405}, mediumItalic, "what the radio reported last"}}},
        {"Label6", "Selected Memory", {5520, 1560, 1935, 240},
            {{"Text3", {5520, 1800, 375, 405}, medium, "a star when the channel is selected"}}},
    };
    return captions;
}

const std::vector<ColumnHeading>& ListHeadings()
{
    static const std::vector<ColumnHeading> headings{
        {"Label11", "Mode", {120, 2640, 1095, 240}},
        {"Label12", "Filter", {1320, 2640, 1095, 240}},
        {"Label14", "Vfo/Memory", {2520, 2640, 1215, 240}},
        {"Label7", "Functions", {3840, 2640, 2535, 240}, true},
    };
    return headings;
}

QString ColumnOf(const ListControl& list)
{
    for (const ColumnHeading& heading : ListHeadings()) {
        if (list.place.left >= heading.place.left && list.place.left < heading.place.left + heading.place.width)
            return QString::fromLatin1(heading.caption);
    }
    return {};
}

QString ListName(const ListControl& list)
{
    if (list.items.size() < 2)
        return ColumnOf(list);
    const QStringList first = QString::fromLatin1(list.items[0].text).split(u' ');
    const QStringList second = QString::fromLatin1(list.items[1].text).split(u' ');
    qsizetype alike = 0;
    while (alike < first.size() && alike < second.size() && first[alike] == second[alike])
        ++alike;
    return alike == 0 ? ColumnOf(list) : first.mid(0, alike).join(u' ');
}

const std::vector<ListControl>& FunctionLists()
{
    static const std::vector<ListControl> lists{
        {"List1", {120, 2880, 1095, 1620},
            {{"AM", Send(F::ModeAm)}, {"FM", Send(F::ModeFm)}, {"USB", Send(F::ModeUsb)}, {"LSB", Send(F::ModeLsb)},
                {"CW", Send(F::ModeCw)}, {"CWr", Send(F::ModeCwReverse)}, {"RTTY", Send(F::ModeRtty)},
                {"RTTYr", Send(F::ModeRttyReverse)}}},
        {"List2", {1320, 2880, 1095, 645},
            {{"Filter 1", Filter(1)}, {"Filter 2", Filter(2)}, {"Filter 3", Filter(3)}}},
        {"List4", {2520, 2880, 1215, 450}, {{"VFO", Send(F::VfoMode)}, {"MEM", Send(F::MemoryMode)}}},
        {"List3", {2520, 3480, 1215, 450}, {{"VFO A", Send(F::VfoA)}, {"VFO B", Send(F::VfoB)}}},
        {"List7", {2520, 4080, 1215, 450}, {{"Split Off", Send(F::SplitOff)}, {"Split On", Send(F::SplitOn)}}},
        {"List5", {2520, 4680, 1215, 450}, {{"RIT Off", Send(F::RitOff)}, {"RIT On", Send(F::RitOn)}}},
        {"List6", {2520, 5280, 1215, 450}, {{"^TX Off", Send(F::DeltaTxOff)}, {"^TX On", Send(F::DeltaTxOn)}}},
        {"List10", {3840, 2880, 1215, 450},
            {{"Monitor Off", Send(F::MonitorOff)}, {"Monitor On", Send(F::MonitorOn)}}},
        {"List13", {3840, 3480, 1215, 645},
            {{"Tuner Off", Send(F::TunerOff)}, {"Tuner On", Send(F::TunerOn)}, {"TUNE", Send(F::Tune)}}},
        {"List14", {3840, 4200, 1215, 645},
            {{"Pre Amp Off", Send(F::PreampOff)}, {"Pre Amp 1", Send(F::Preamp1)}, {"Pre Amp 2", Send(F::Preamp2)}}},
        {"List17", {3840, 4920, 1215, 450},
            {{"Attenuator Off", Send(F::AttenuatorOff)}, {"Attenuator On", Send(F::AttenuatorOn)}}},
        {"List11", {3840, 5520, 1215, 450}, {{"VOX Off", Send(F::VoxOff)}, {"VOX On", Send(F::VoxOn)}}},
        {"List15", {3840, 6120, 1215, 645},
            {{"Bk-In Off", Send(F::BreakInOff)}, {"Bk-In Semi", Send(F::BreakInSemi)},
                {"Bk-In Full", Send(F::BreakInFull)}}},
        {"List12", {5160, 2880, 1215, 450},
            {{"Man Notch Off", Send(F::ManualNotchOff)}, {"Man Notch On", Send(F::ManualNotchOn)}}},
        {"List16", {5160, 3480, 1215, 450},
            {{"Auto Notch Off", Send(F::AutoNotchOff)}, {"Auto Notch On", Send(F::AutoNotchOn)}}},
        {"List8", {5160, 4080, 1215, 450},
            {{"NR Off", Send(F::NoiseReductionOff)}, {"NR On", Send(F::NoiseReductionOn)}}},
        {"List9", {5160, 4680, 1215, 450}, {{"NB Off", Send(F::NoiseBlankerOff)}, {"NB On", Send(F::NoiseBlankerOn)}}},
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
        {"Option48", "Query Current Frequency", {6480, 2880, kWide, kRow}, Send(F::QueryFrequency)},
        {"Option49", "Query Current Mode", {6480, 3120, kWide, kRow}, Send(F::QueryMode)},
        {"Option39", "Query Edge Frequency", {6480, 3360, kWide, kRow}, Send(F::QueryBandEdges)},
        {"Option42", "Radio Frequency Set", {6480, 3720, kWide, kRow}, &E::setFrequency},
        {"Option41", "Radio Mode Set", {6480, 3960, kWide, kRow}, &E::setMode},
        {"Option47", "Memory > VFO", {6480, 4320, kWide, kRow}, Send(F::MemoryToVfo)},
        {"Option58", "VFO A = B", {6480, 4560, kWide, kRow}, Send(F::EqualiseVfos)},
        {"Option45", "Query Memory Channel", {6480, 5280, kWide, kRow}, &E::readChannel},
        {"Option40", "Memory Channel Select", {6480, 5520, kWide, kRow}, &E::selectChannel},
        {"Option43", "Memory Channel Clear", {6600, 5880, kNarrow, kRow}, &E::clearChannel},
        {"Option44", "Memory Write", {6600, 6120, kNarrow, kRow}, &E::writeChannel},
        {"Option46", "Memory UP", {6600, 6480, kNarrow, kRow}, &E::channelUp},
        {"Option59", "Memory DN", {6600, 6720, kNarrow, kRow}, &E::channelDown},
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
        {"Command30", "Rig ID", {kLeft, 960, kHalf, kHeight}, Send(F::QueryId)},
        {"Command34", "Time", {kLeft, 1410, kHalf, kHeight}, Send(F::QueryTime)},
        {"Command48", "S-Meter ", {kRight, 1410, kRightHalf, kHeight}, Send(F::QuerySMeter)},
        {"Command2", "Set Vol", {kLeft, 1860, kHalf, kHeight}, &E::setVolume},
        {"Command31", "Speech", {kRight, 1860, kRightHalf, kHeight}, Send(F::Announce)},
        {"Command47", "Squelch Status ", {kLeft, 2310, kFull, kHeight}, Send(F::QuerySquelch)},
        {"Command44", "Auto Status Toggle", {kLeft, 3280, kFull, kHeight}, &RadioEntries::toggleAutoStatus},
        {"Command36", "Clear Status", {kLeft, 3800, kFull, kHeight}, &RadioEntries::clearStatus},
    };
    return buttons;
}

const std::vector<ButtonControl>& WindowButtons()
{
    static const std::vector<ButtonControl> buttons{
        {"Command3", "My Call", {9840, 3360, 1095, 375}, Send(F::QueryMyCall)},
        {"Command4", "R/T Status", {8880, 5160, 2055, 375}, Send(F::QueryTransmitting)},
        {"Command49", "Manual Command", {8880, 6720, 2055, 375}, &E::sendManual},
        {"Command5", "Power ON", {9120, 840, 1455, 1095}, Run(&R::powerOn)},
        {"Command6", "Power OFF", {11040, 840, 1455, 1095}, Send(F::PowerOff)},
    };
    return buttons;
}

const std::vector<ButtonControl>& RxTxButtons()
{
    static const std::vector<ButtonControl> buttons{
        {"Option38", "Rx", {240, 120, 855, 240}, Send(F::Receive)},
        {"Option37", "Tx", {1200, 120, 615, 240}, Send(F::Transmit)},
    };
    return buttons;
}

}  // namespace talvex
