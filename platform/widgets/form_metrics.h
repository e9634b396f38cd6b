#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

namespace talvex {

// The windows are laid out in twips (1/1440 inch): 15 twips a pixel at 96 dpi, scaled with the
// screen's logical dpi so the layout keeps its proportions on larger screens.
int TwipsToPixels(int twips);
QRect TwipsRect(int left, int top, int width, int height);

// A font by the classic family name, falling back to a metric-compatible family where the
// original is missing (Arial -> Liberation Sans, MS Sans Serif -> Liberation Sans Narrow,
// Terminal -> a fixed-pitch face).
struct FontFace {
    QString family;
    double points = 8.25;
    bool bold = false;
    bool italic = false;
};
QFont MakeFont(const FontFace& face);

// A colour written the classic way, &H00BBGGRR&.
QColor ColourFromBgr(unsigned int bgr);

// Sets a widget's background (and keeps it painted) without a style sheet.
void SetBackground(QWidget& widget, const QColor& colour);
void SetForeground(QWidget& widget, const QColor& colour);

}  // namespace talvex
