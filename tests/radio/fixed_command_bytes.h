#pragma once

#include "radio/radio_operations.h"

#include <QStringList>

namespace talvex::testing {

// What each control that always sends the same command puts between FE FE 94 E0 and FD, written
// out from the radio's command set. The procedure test sends each command, the window test
// clicks each control (a list's item, or the button of that name and caption).
using F = FixedCommand;
struct FixedBytes { const char* control; const char* caption; FixedCommand command; const char* bytes; };
inline const FixedBytes kFixedCommandBytes[] = {
    {"List1", "AM", F::ModeAm, "06 02"}, {"List1", "FM", F::ModeFm, "06 05"},
    {"List1", "USB", F::ModeUsb, "06 01"}, {"List1", "LSB", F::ModeLsb, "06 00"},
    {"List1", "CW", F::ModeCw, "06 03"}, {"List1", "CWr", F::ModeCwReverse, "06 07"},
    {"List1", "RTTY", F::ModeRtty, "06 04"}, {"List1", "RTTYr", F::ModeRttyReverse, "06 08"},
    {"List4", "VFO", F::VfoMode, "07"}, {"List4", "MEM", F::MemoryMode, "08"},
    {"List3", "VFO A", F::VfoA, "07 00"}, {"List3", "VFO B", F::VfoB, "07 01"},
    {"List7", "Split Off", F::SplitOff, "0F 00"}, {"List7", "Split On", F::SplitOn, "0F 01"},
    {"List5", "RIT Off", F::RitOff, "21 01 00"}, {"List5", "RIT On", F::RitOn, "21 01 01"},
    {"List6", "^TX Off", F::DeltaTxOff, "21 02 00"}, {"List6", "^TX On", F::DeltaTxOn, "21 02 01"},
    {"List10", "Monitor Off", F::MonitorOff, "16 45 00"}, {"List10", "Monitor On", F::MonitorOn, "16 45 01"},
    {"List13", "Tuner Off", F::TunerOff, "1C 01 00"}, {"List13", "Tuner On", F::TunerOn, "1C 01 01"},
    {"List13", "TUNE", F::Tune, "1C 01 02"}, {"List14", "Pre Amp Off", F::PreampOff, "16 02 00"},
    {"List14", "Pre Amp 1", F::Preamp1, "16 02 01"}, {"List14", "Pre Amp 2", F::Preamp2, "16 02 02"},
    {"List17", "Attenuator Off", F::AttenuatorOff, "11 00"}, {"List17", "Attenuator On", F::AttenuatorOn, "11 20"},
    {"List11", "VOX Off", F::VoxOff, "16 46 00"}, {"List11", "VOX On", F::VoxOn, "16 46 01"},
    {"List15", "Bk-In Off", F::BreakInOff, "16 47 00"}, {"List15", "Bk-In Semi", F::BreakInSemi, "16 47 01"},
    {"List15", "Bk-In Full", F::BreakInFull, "16 47 02"},
    {"List12", "Man Notch Off", F::ManualNotchOff, "16 48 00"},
    {"List12", "Man Notch On", F::ManualNotchOn, "16 48 01"},
    {"List16", "Auto Notch Off", F::AutoNotchOff, "16 41 00"},
    {"List16", "Auto Notch On", F::AutoNotchOn, "16 41 01"}, {"List8", "NR Off", F::NoiseReductionOff, "16 40 00"},
    {"List8", "NR On", F::NoiseReductionOn, "16 40 01"}, {"List9", "NB Off", F::NoiseBlankerOff, "16 22 00"},
    {"List9", "NB On", F::NoiseBlankerOn, "16 22 01"},
    {"Option48", "Query Current Frequency", F::QueryFrequency, "03"},
    {"Option49", "Query Current Mode", F::QueryMode, "04"},
    {"Option39", "Query Edge Frequency", F::QueryBandEdges, "02"},
    {"Option47", "Memory > VFO", F::MemoryToVfo, "0A"}, {"Option58", "VFO A = B", F::EqualiseVfos, "07 A0"},
    {"Option38", "Rx", F::Receive, "1C 00 00"}, {"Option37", "Tx", F::Transmit, "1C 00 01"},
    {"Command30", "Rig ID", F::QueryId, "19 00"}, {"Command34", "Time", F::QueryTime, "1A 05 00 95"},
    {"Command48", "S-Meter ", F::QuerySMeter, "15 02"}, {"Command31", "Speech", F::Announce, "13 00"},
    {"Command47", "Squelch Status ", F::QuerySquelch, "15 01"},
    {"Command3", "My Call", F::QueryMyCall, "1A 05 00 91"}, {"Command4", "R/T Status", F::QueryTransmitting, "1C 00"},
    {"Command6", "Power OFF", F::PowerOff, "18 00"},
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
