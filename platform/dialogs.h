#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace talvex {

enum class MessageIcon { None, Critical };
// SaveDiscardCancel: the question a window with unsaved changes asks before it closes.
enum class MessageButtons { Ok, YesNo, SaveDiscardCancel };
enum class MessageAnswer { Ok, Yes, No, Save, Discard, Cancel };

// Every question the program asks the operator. The program never opens a Qt dialog itself,
// so tests answer through a scripted implementation and read back what was shown.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual MessageAnswer message(const QString& title, const QString& text, MessageIcon icon,
                                  MessageButtons buttons) = 0;
    // Nothing for Cancel, the typed text (possibly empty) for OK.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& defaultText) = 0;
    // Nothing when cancelled. Filters are "Text (*.txt)" style entries. With `mayBeNew` a name
    // that does not exist yet may be typed.
    virtual std::optional<QString> openFile(const QStringList& filters, int initialFilter, bool mayBeNew = false) = 0;

    // Most callers take Cancel as the empty answer.
    QString inputOrEmpty(const QString& prompt, const QString& title, const QString& defaultText = {})
    {
        return input(prompt, title, defaultText).value_or(QString());
    }
    void critical(const QString& title, const QString& text)
    {
        message(title, text, MessageIcon::Critical, MessageButtons::Ok);
    }
};

}  // namespace talvex
