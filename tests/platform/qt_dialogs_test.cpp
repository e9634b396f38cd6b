// The real message and input boxes, found while they are shown: names from files and from the
// radio appear as typed, never as markup.
#include "platform/widgets/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace talvex {
namespace {

// Runs `handle` on the modal dialog once it is shown; gives up (and fails) after two seconds.
void WhenShown(std::function<void(QWidget&)> handle)
{
    auto* poll = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, tries, handle = std::move(handle)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            handle(*modal);
        } else if (++*tries > 200) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "no dialog was shown";
        }
    });
    poll->start(10);
}

// The label that shows `text`, and how it shows it.
std::optional<Qt::TextFormat> FormatOfLabelShowing(QWidget& dialog, const QString& text)
{
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == text)
            return label->textFormat();
    }
    return std::nullopt;
}

const QString kNames[] = {QStringLiteral("<b>X.TXT"), QStringLiteral("<img src=x>"),
                          QStringLiteral("Error Code 75 ... <i>a</i> ... C:\\<RADIO>\\HAM.TXT ... Input")};

TEST(QtDialogs, MessageBoxesShowTheirTextAsPlainTextAndReportTheButton)
{
    QtDialogs dialogs;
    for (const QString& text : kNames) {
        for (const auto answer : {MessageAnswer::Yes, MessageAnswer::No}) {
            std::optional<Qt::TextFormat> shown;
            WhenShown([&](QWidget& modal) {
                auto* box = qobject_cast<QMessageBox*>(&modal);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->textFormat(), Qt::PlainText);
                shown = FormatOfLabelShowing(modal, text);
                box->button(answer == MessageAnswer::Yes ? QMessageBox::Yes : QMessageBox::No)->click();
            });
            EXPECT_EQ(dialogs.message(QStringLiteral("Default File"), text, MessageIcon::None, MessageButtons::YesNo),
                      answer);
            EXPECT_EQ(shown, Qt::PlainText) << text.toStdString();
        }
    }
}

TEST(QtDialogs, InputBoxPromptsAreShownAsPlainTextAndCancelGivesNothing)
{
    QtDialogs dialogs;
    for (const QString& prompt : kNames) {
        std::optional<Qt::TextFormat> shown;
        WhenShown([&](QWidget& modal) {
            auto* dialog = qobject_cast<QInputDialog*>(&modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->textValue(), u"AM");
            shown = FormatOfLabelShowing(modal, prompt);
            dialog->setTextValue(QStringLiteral("usb"));
            dialog->accept();
        });
        EXPECT_EQ(dialogs.input(prompt, QStringLiteral("Set Memory Mode"), QStringLiteral("AM")), QStringLiteral("usb"));
        EXPECT_EQ(shown, Qt::PlainText) << prompt.toStdString();
    }
    WhenShown([](QWidget& modal) { static_cast<QDialog&>(modal).reject(); });
    EXPECT_EQ(dialogs.input(QStringLiteral("<b>7</b>"), QStringLiteral("Set Memory Channel Number"), QString()),
              std::nullopt);
}

}  // namespace
}  // namespace talvex
