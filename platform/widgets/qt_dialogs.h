#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace talvex {

class QtDialogs final : public Dialogs {
public:
    MessageAnswer message(const QString& title, const QString& text, MessageIcon icon,
                          MessageButtons buttons) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    std::optional<QString> openFile(const QStringList& filters, int initialFilter, bool mayBeNew) override;
};

}  // namespace talvex
