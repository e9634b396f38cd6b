#pragma once

#include <QWidget>

namespace talvex {

// The splash window's picture: the front panel of an HF transceiver, drawn at any size.
class RadioPicture final : public QWidget {
    Q_OBJECT
public:
    explicit RadioPicture(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace talvex
