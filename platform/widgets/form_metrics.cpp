#include "platform/widgets/form_metrics.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace talvex {

namespace {

double DpiScale()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return 1.0;
    const double dpi = screen->logicalDotsPerInch();
    return dpi > 0 ? dpi / 96.0 : 1.0;
}

QString AvailableFamily(const QString& wanted)
{
    const QStringList families = QFontDatabase::families();
    if (families.contains(wanted, Qt::CaseInsensitive))
        return wanted;
    const QString lower = wanted.toLower();
    // MS Sans Serif set narrower than Arial; its captions were sized to that.
    const QStringList candidates = lower == "terminal" ? QStringList{"Liberation Mono", "DejaVu Sans Mono", "Monospace"}
        : lower == "ms sans serif" ? QStringList{"Liberation Sans Narrow", "Liberation Sans", "Arial", "DejaVu Sans", "Sans Serif"}
                                   : QStringList{"Liberation Sans", "Arial", "DejaVu Sans", "Sans Serif"};
    for (const QString& candidate : candidates) {
        if (families.contains(candidate, Qt::CaseInsensitive))
            return candidate;
    }
    return candidates.last();
}

}  // namespace

int TwipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0 * DpiScale()));
}

QRect TwipsRect(int left, int top, int width, int height)
{
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

QFont MakeFont(const FontFace& face)
{
    QFont font(AvailableFamily(face.family));
    font.setPointSizeF(face.points);
    font.setBold(face.bold);
    font.setItalic(face.italic);
    if (face.family.compare("terminal", Qt::CaseInsensitive) == 0)
        font.setStyleHint(QFont::TypeWriter);
    return font;
}

QColor ColourFromBgr(unsigned int bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
        static_cast<int>((bgr >> 16) & 0xFF));
}

void SetBackground(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    palette.setColor(QPalette::Base, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void SetForeground(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget.setPalette(palette);
}

}  // namespace talvex
