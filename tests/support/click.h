#pragma once

#include <QRadioButton>
#include <QTest>

namespace talvex::testing {

// Clicks a control where the operator would: option buttons answer only on their circle and
// caption, so they are clicked on the circle; anything else in its middle.
inline void Click(QWidget& widget)
{
    if (qobject_cast<QRadioButton*>(&widget) != nullptr)
        QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(8, widget.height() / 2));
    else
        QTest::mouseClick(&widget, Qt::LeftButton);
}

}  // namespace talvex::testing
