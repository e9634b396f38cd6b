#pragma once

#include "radio/radio_operations.h"

#include <QStringList>

namespace talvex::testing {

// What each control that always sends the same command puts between FE FE 94 E0 and FD, written
// out from the radio's command set. The procedure test calls each procedure, the window test
// clicks each control (a list's item, or the button of that name and caption).
using R = RadioOperations;
struct FixedBytes { const char* control; const char* caption; Procedure procedure; const char* command; };
inline const FixedBytes kFixedCommandBytes[] = {
    {"List1", "AM", &R::Option3_Click, "06 02"}, {"List1", "FM", &R::Option4_Click, "06 05"},
    {"List1", "USB", &R::Option5_Click, "06 01"}, {"List1", "LSB", &R::Option6_Click, "06 00"},
    {"List1", "CW", &R::Option7_Click, "06 03"}, {"List1", "CWr", &R::Option8_Click, "06 07"},
    {"List1", "RTTY", &R::Option9_Click, "06 04"}, {"List1", "RTTYr", &R::Option10_Click, "06 08"},
    {"List4", "VFO", &R::Option17_Click, "07"}, {"List4", "MEM", &R::Option18_Click, "08"},
    {"List3", "VFO A", &R::Option11_Click, "07 00"}, {"List3", "VFO B", &R::Option12_Click, "07 01"},
    {"List7", "Split Off", &R::Option15_Click, "0F 00"}, {"List7", "Split On", &R::Option16_Click, "0F 01"},
    {"List5", "RIT Off", &R::Option19_Click, "21 01 00"}, {"List5", "RIT On", &R::Option20_Click, "21 01 01"},
    {"List6", "^TX Off", &R::Option13_Click, "21 02 00"}, {"List6", "^TX On", &R::Option14_Click, "21 02 01"},
    {"List10", "Monitor Off", &R::Option23_Click, "16 45 00"}, {"List10", "Monitor On", &R::Option24_Click, "16 45 01"},
    {"List13", "Tuner Off", &R::Option31_Click, "1C 01 00"}, {"List13", "Tuner On", &R::Option32_Click, "1C 01 01"},
    {"List13", "TUNE", &R::Option33_Click, "1C 01 02"}, {"List14", "Pre Amp Off", &R::Option50_Click, "16 02 00"},
    {"List14", "Pre Amp 1", &R::Option51_Click, "16 02 01"}, {"List14", "Pre Amp 2", &R::Option52_Click, "16 02 02"},
    {"List17", "Attenuator Off", &R::Option56_Click, "11 00"}, {"List17", "Attenuator On", &R::Option57_Click, "11 20"},
    {"List11", "VOX Off", &R::Option29_Click, "16 46 00"}, {"List11", "VOX On", &R::Option30_Click, "16 46 01"},
    {"List15", "Bk-In Off", &R::Option53_Click, "16 47 00"}, {"List15", "Bk-In Semi", &R::Option54_Click, "16 47 01"},
    {"List15", "Bk-In Full", &R::Option55_Click, "16 47 02"},
    {"List12", "Man Notch Off", &R::Option25_Click, "16 48 00"},
    {"List12", "Man Notch On", &R::Option26_Click, "16 48 01"},
    {"List16", "Auto Notch Off", &R::Option27_Click, "16 41 00"},
    {"List16", "Auto Notch On", &R::Option28_Click, "16 41 01"}, {"List8", "NR Off", &R::Option1_Click, "16 40 00"},
    {"List8", "NR On", &R::Option2_Click, "16 40 01"}, {"List9", "NB Off", &R::Option21_Click, "16 22 00"},
    {"List9", "NB On", &R::Option22_Click, "16 22 01"},
    {"Option48", "Query Current Frequency", &R::Option48_Click, "03"},
    {"Option49", "Query Current Mode", &R::Option49_Click, "04"},
    {"Option39", "Query Edge Frequency", &R::Option39_Click, "02"},
    {"Option47", "Memory > VFO", &R::Option47_Click, "0A"}, {"Option58", "VFO A = B", &R::Option58_Click, "07 A0"},
    {"Option38", "Rx", &R::Option38_Click, "1C 00 00"}, {"Option37", "Tx", &R::Option37_Click, "1C 00 01"},
    {"Command30", "Rig ID", &R::Command30_Click, "19 00"}, {"Command34", "Time", &R::Command34_Click, "1A 05 00 95"},
    {"Command48", "S-Meter ", &R::Command48_Click, "15 02"}, {"Command31", "Speech", &R::Command31_Click, "13 00"},
    {"Command47", "Squelch Status ", &R::Command47_Click, "15 01"},
    {"Command3", "My Call", &R::Command3_Click, "1A 05 00 91"}, {"Command4", "R/T Status", &R::Command4_Click, "1C 00"},
    {"Command6", "Power OFF", &R::Command6_Click, "18 00"},
};

// A write of channel 5 at 7.100.0 ("00 05") with these settings, as its four frames: the write,
// MEM, the select and the read-back.
inline QStringList Write(const char* modeFilter, const char* label, const char* channel = "00 05",
    const char* frequency = "00 00 10 07 00")
{
    const QString settings = QString::fromLatin1(frequency) + u' ' + QString::fromLatin1(modeFilter)
        + QStringLiteral(" 00 00 10 00 00 10 00");
    const QString at = QString::fromLatin1(channel);
    return {QStringLiteral("1A 00 ") + at + QStringLiteral(" 00 ") + settings + u' ' + settings + u' '
            + QString::fromLatin1(label),
        QStringLiteral("08"), QStringLiteral("08 ") + at, QStringLiteral("1A 00 ") + at};
}

}  // namespace talvex::testing
