#include "qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace talvex {

// Texts shown here carry file names, call signs and bytes from the radio: a name such as
// "<b>X.TXT" must be shown as typed, never read as markup.
MessageAnswer QtDialogs::message(const QString& title, const QString& text, MessageIcon icon,
                                 MessageButtons buttons)
{
    const QMessageBox::StandardButtons shown =
        buttons == MessageButtons::YesNo               ? (QMessageBox::Yes | QMessageBox::No)
        : buttons == MessageButtons::SaveDiscardCancel ? (QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)
                                                       : QMessageBox::Ok;
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    title, QString(), shown, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    const int answer = box.exec();
    switch (buttons) {
    case MessageButtons::Ok: return MessageAnswer::Ok;
    case MessageButtons::YesNo: return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    case MessageButtons::SaveDiscardCancel:
        // Escape, or the window's close box, is Cancel: nothing is lost by asking again.
        return answer == QMessageBox::Save      ? MessageAnswer::Save
               : answer == QMessageBox::Discard ? MessageAnswer::Discard
                                                : MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

std::optional<QString> QtDialogs::input(const QString& prompt, const QString& title,
                                        const QString& defaultText)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextEchoMode(QLineEdit::Normal);
    dialog.setTextValue(defaultText);
    dialog.setLabelText(prompt);
    // The dialog offers no text format of its own; its prompt is its one label.
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtDialogs::openFile(const QStringList& filters, int initialFilter, bool mayBeNew)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(mayBeNew ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(initialFilter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace talvex
