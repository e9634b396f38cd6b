#include "startup/windows/radio_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace talvex {

RadioPicture::RadioPicture(QWidget* parent) : QWidget(parent) {}

void RadioPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();
    const double w = area.width();
    const double h = area.height();

    // Cabinet.
    p.fillRect(area, QColor(235, 238, 242));
    const QRectF body(w * 0.04, h * 0.14, w * 0.92, h * 0.72);
    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    shade.setColorAt(0, QColor(70, 72, 78));
    shade.setColorAt(1, QColor(28, 29, 33));
    p.setPen(QPen(QColor(15, 15, 18), 2));
    p.setBrush(shade);
    p.drawRoundedRect(body, 10, 10);

    // Display with a spectrum scope and the frequency.
    const QRectF display(body.left() + w * 0.2, body.top() + h * 0.07, w * 0.42, h * 0.36);
    p.setPen(QPen(QColor(10, 10, 12), 3));
    p.setBrush(QColor(12, 30, 60));
    p.drawRect(display);
    p.setPen(QColor(250, 250, 250));
    QFont digits(QStringLiteral("Liberation Sans"));
    digits.setPixelSize(static_cast<int>(h * 0.09));
    digits.setBold(true);
    p.setFont(digits);
    p.drawText(display.adjusted(0, display.height() * 0.04, 0, -display.height() * 0.55), Qt::AlignCenter,
               QStringLiteral("14.074.00"));
    QPainterPath scope;
    const QRectF trace = display.adjusted(display.width() * 0.05, display.height() * 0.5, -display.width() * 0.05,
                                          -display.height() * 0.08);
    scope.moveTo(trace.bottomLeft());
    for (int i = 0; i <= 60; ++i) {
        const double x = trace.left() + trace.width() * i / 60.0;
        const double peak = (i % 17 == 5) ? 0.85 : (i % 7 == 3 ? 0.45 : 0.15 + 0.1 * ((i * 37) % 5) / 4.0);
        scope.lineTo(x, trace.bottom() - trace.height() * peak);
    }
    scope.lineTo(trace.bottomRight());
    p.setPen(QPen(QColor(90, 220, 255), 1.5));
    p.setBrush(QColor(40, 120, 200, 120));
    p.drawPath(scope);

    // Main tuning knob and the small knobs around it.
    auto knob = [&p](QPointF centre, double radius, QColor face) {
        QRadialGradient g(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.3);
        g.setColorAt(0, face.lighter(160));
        g.setColorAt(1, face.darker(180));
        p.setPen(QPen(QColor(5, 5, 5), 2));
        p.setBrush(g);
        p.drawEllipse(centre, radius, radius);
    };
    knob(QPointF(body.left() + w * 0.78, body.top() + h * 0.42), h * 0.22, QColor(60, 60, 64));
    knob(QPointF(body.left() + w * 0.78, body.top() + h * 0.42), h * 0.05, QColor(90, 90, 95));
    for (int i = 0; i < 2; ++i)
        knob(QPointF(body.left() + w * 0.09, body.top() + h * (0.18 + 0.22 * i)), h * 0.06, QColor(80, 80, 86));
    knob(QPointF(body.left() + w * 0.66, body.top() + h * 0.58), h * 0.05, QColor(80, 80, 86));

    // Rows of keys under the display.
    p.setPen(QPen(QColor(10, 10, 12), 1));
    for (int row = 0; row < 2; ++row) {
        for (int key = 0; key < 7; ++key) {
            const QRectF k(display.left() + key * display.width() / 7.0 + 2, display.bottom() + h * (0.04 + 0.09 * row),
                           display.width() / 7.0 - 4, h * 0.06);
            p.setBrush(key == 0 && row == 0 ? QColor(200, 50, 40) : QColor(105, 108, 115));
            p.drawRoundedRect(k, 3, 3);
        }
    }
    // Power key.
    p.setBrush(QColor(105, 108, 115));
    p.drawRoundedRect(QRectF(body.left() + w * 0.04, body.bottom() - h * 0.14, w * 0.08, h * 0.07), 3, 3);
}

}  // namespace talvex
