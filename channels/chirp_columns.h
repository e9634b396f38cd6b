#pragma once

// CHIRP's generic CSV: its 21 columns in its order and spelling, then ours, which CHIRP's
// reader skips (it takes only the headers it knows) and which keep what its columns cannot
// hold: the filter, the data mode, the select group and the whole record.

#include "link/format.h"

#include <QStringList>

namespace talvex::channels {

enum Column {
    kLocation, kName, kFrequency, kDuplex, kOffset, kTone, kRToneFreq, kCToneFreq, kDtcsCode, kDtcsPolarity,
    kRxDtcsCode, kCrossMode, kMode, kTStep, kSkip, kPower, kComment, kUrCall, kRpt1Call, kRpt2Call, kDvCode,
    kFilter, kDataMode, kSelectGroup, kRecord, kColumnCount
};

// Our columns carry the radio's name, without its dash ("IC7300Filter"): a record column is
// only ever read back into the radio it came from.
inline QString OwnColumn(const char16_t* what) { return RadioName().remove(u'-') + QString::fromUtf16(what); }

inline const QStringList kColumnNames{
    QStringLiteral("Location"),     QStringLiteral("Name"),         QStringLiteral("Frequency"),
    QStringLiteral("Duplex"),       QStringLiteral("Offset"),       QStringLiteral("Tone"),
    QStringLiteral("rToneFreq"),    QStringLiteral("cToneFreq"),    QStringLiteral("DtcsCode"),
    QStringLiteral("DtcsPolarity"), QStringLiteral("RxDtcsCode"),   QStringLiteral("CrossMode"),
    QStringLiteral("Mode"),         QStringLiteral("TStep"),        QStringLiteral("Skip"),
    QStringLiteral("Power"),        QStringLiteral("Comment"),      QStringLiteral("URCALL"),
    QStringLiteral("RPT1CALL"),     QStringLiteral("RPT2CALL"),     QStringLiteral("DVCODE"),
    OwnColumn(u"Filter"),           OwnColumn(u"Data"),             OwnColumn(u"Select"),
    OwnColumn(u"Record")};

// A row: one text per column, in Column order.
using ChirpRow = QStringList;

}  // namespace talvex::channels
