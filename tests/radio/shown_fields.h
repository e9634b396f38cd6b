#pragma once

#include "app/program.h"

#include <QStringList>

namespace talvex::testing {

// What the radio answered last, in both message areas.
inline const QString kTraffic = QStringLiteral(" FE FE E0 94 FB FD");

// Fills every field so a test can see which ones an operation blanks.
inline void Fill(Program& p)
{
    RadioFields& r = p.radioTexts.fields();
    r = {QStringLiteral("14.074.0"), QStringLiteral("7"), QStringLiteral("*"), QStringLiteral("USB"),
        QStringLiteral("Fil 2"), QStringLiteral("status"), kTraffic, r.AutoStatusCaption};
    p.memoryTexts.fields().Text9 = kTraffic;
}

// Text1 to Text7, then the Memory window's message area.
inline QStringList Fields(const Program& p)
{
    const RadioFields& r = p.radioTexts.fields();
    return {r.Text1, r.Text2, r.Text3, r.Text4, r.Text5, r.Text6, r.Text7, p.memoryTexts.fields().Text9};
}

}  // namespace talvex::testing
