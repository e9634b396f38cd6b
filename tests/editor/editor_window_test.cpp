// The Channel Editor driven by key events alone: three channels edited, saved, and the file on
// disk holding exactly those changes; the unsaved-changes question; the way in from the menus.
#include "editor/window/channel_editor_window.h"

#include "editor/editor_row.h"
#include "memory/window/memory_main.h"
#include "radio/window/radio_main.h"
#include "tests/support/window_test.h"
#define TALVEX_TEST_PRINTS_QSTRING  // test_program.h prints QString already
#include "editor_lines.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>

namespace talvex::testing {
namespace {

using editor::testing::Channel;

QString RichLine(int channel)
{
    return WithRecordZone(Channel(channel, "14.074.0", "USB", 2, true, "FT8 CALL"),
                          *MemoryRecord::from(editor::testing::RichRecord(channel)));
}

class EditorWindow : public ::testing::Test {
protected:
    EditorWindow()
    {
        original = editor::testing::CreateFileLines({Channel(1, "21.074.0", "USB", 2, false, "CHARLIE"), RichLine(2),
                                                     Channel(3, "07.074.0", "LSB", 1, false, "ALPHA")});
        t.writeFile(QStringLiteral("TALVEX.TXT"), original);
        t.program->state.CurrentDataFile = t.path(QStringLiteral("TALVEX.TXT"));
        window = std::make_unique<editor::ChannelEditorWindow>(t.program->controls());
        window->show();
        QApplication::setActiveWindow(window.get());
        window->findChild<QLineEdit*>(QStringLiteral("FindText"))->setFocus();
    }

    // Keys go where the operator's keyboard sends them: to the control with the focus.
    static void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
        // The event loop runs between two keys of an operator: a cell's editor commits then.
        QCoreApplication::processEvents();
    }
    // Each character to the control that has the focus then: the first one may open a cell's editor.
    static void type(const char* text)
    {
        for (const char* c = text; *c != '\0'; ++c)
            QTest::keyClicks(QApplication::focusWidget(), QString(QChar::fromLatin1(*c)));
    }

    QStringList savedLines() const { return QString::fromLatin1(t.readFile(QStringLiteral("TALVEX.TXT"))).split(QStringLiteral("\r\n")); }

    OpenProgram t;
    QStringList original;
    std::unique_ptr<editor::ChannelEditorWindow> window;
};

TEST_F(EditorWindow, ThreeChannelsEditedFromTheKeyboardAreWhatTheSavedFileChanges)
{
    // Channel 3: found by its label, a frequency typed in kilohertz.
    key(Qt::Key_F, Qt::ControlModifier);
    type("ALPHA");
    key(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), u"ChannelTable");
    type("7100");
    key(Qt::Key_Return);
    // Channel 2, one line up: its label, four cells to the right.
    key(Qt::Key_Up);
    for (int i = 0; i < 4; ++i)
        key(Qt::Key_Right);
    key(Qt::Key_F2);
    key(Qt::Key_A, Qt::ControlModifier);
    type("RICH");
    key(Qt::Key_Return);
    // Channel 1: its mode from the list, by the first letter.
    key(Qt::Key_Up);
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Left);
    key(Qt::Key_F2);
    ASSERT_NE(qobject_cast<QComboBox*>(QApplication::focusWidget()), nullptr);
    type("L");
    ASSERT_EQ(qobject_cast<QComboBox*>(QApplication::focusWidget())->currentText(), u"LSB");
    key(Qt::Key_Return);
    key(Qt::Key_S, Qt::ControlModifier);

    QStringList expected = original;
    expected[3] = Channel(1, "21.074.0", "LSB", 2, false, "CHARLIE");
    QByteArray record = editor::testing::RichRecord(2);
    record.replace(31, 10, "RICH      ");
    expected[4] = WithRecordZone(Channel(2, "14.074.0", "USB", 2, true, "RICH"), *MemoryRecord::from(record));
    expected[5] = Channel(3, "07.100.0", "LSB", 1, false, "ALPHA");
    expected << QString();  // the last line's CR LF
    EXPECT_EQ(savedLines(), expected);
    EXPECT_FALSE(window->model().isModified());
    EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("EditorStatus"))->text(), u"TALVEX.TXT saved");
}

TEST_F(EditorWindow, ATypedValueIsCheckedAsItIsTypedAndTheSummaryNamesTheLine)
{
    key(Qt::Key_F, Qt::ControlModifier);
    type("ALPHA");
    key(Qt::Key_Return);
    type("80.00005");
    const auto* status = window->findChild<QLineEdit*>(QStringLiteral("EditorStatus"));
    EXPECT_EQ(status->text(), u"80.000.0: digits past 100 Hz are cut: 80000050 Hz is kept as 80.000.0 (the file holds 100 Hz "
                              u"steps): frequency 80.000.0 is outside 0.030-74.800 MHz: the radio refuses it");
    key(Qt::Key_Return);
    EXPECT_TRUE(window->findChild<QLineEdit*>(QStringLiteral("UpdateRigSummary"))
                    ->text()
                    .startsWith(u"Update Rig will skip or refuse 1 line: line 6 (channel 3): frequency 80.000.0 is outside"));
}

TEST_F(EditorWindow, ClosingWithUnsavedChangesAsksSaveDiscardOrCancel)
{
    const struct {
        MessageAnswer answer;
        bool closes;
        const char* channelOneLabel;  // on disk afterwards
    } answers[] = {
        {MessageAnswer::Cancel, false, "CHARLIE"},
        {MessageAnswer::Discard, true, "CHARLIE"},
        {MessageAnswer::Save, true, "DELTA"},
    };
    for (const auto& a : answers) {
        SCOPED_TRACE(static_cast<int>(a.answer));
        t.writeFile(QStringLiteral("TALVEX.TXT"), original);
        window->openCurrentFile();
        window->model().setData(window->model().index(3, static_cast<int>(editor::Column::Label)), QStringLiteral("DELTA"),
                                Qt::EditRole);
        window->show();
        t.dialogs.messages.clear();
        t.dialogs.answerMessage(a.answer);
        window->close();
        ASSERT_EQ(t.dialogs.messages.size(), 1u);
        EXPECT_EQ(t.dialogs.messages[0].text, u"TALVEX.TXT has unsaved changes ... Save them?");
        EXPECT_EQ(t.dialogs.messages[0].buttons, MessageButtons::SaveDiscardCancel);
        EXPECT_EQ(window->isVisible(), !a.closes);
        EXPECT_EQ(editor::ChannelRowOf(savedLines()[3]).label.trimmed(), QString::fromLatin1(a.channelOneLabel));
    }
}

// The program ends (Exit, a main window's close box): unsaved changes are offered for saving.
TEST_F(EditorWindow, TheProgramsEndOffersToSaveUnsavedChanges)
{
    for (const auto answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        window->model().setData(window->model().index(3, static_cast<int>(editor::Column::Label)),
                                answer == MessageAnswer::Yes ? QStringLiteral("SAVED") : QStringLiteral("DROPPED"), Qt::EditRole);
        t.dialogs.messages.clear();
        t.dialogs.answerMessage(answer);
        window->saveBeforeEnd();
        ASSERT_EQ(t.dialogs.messages.size(), 1u);
        EXPECT_EQ(t.dialogs.messages[0].text, u"TALVEX.TXT has unsaved changes ... Save them before TALVEX ends?");
        EXPECT_EQ(editor::ChannelRowOf(savedLines()[3]).label.trimmed(),
                  answer == MessageAnswer::Yes ? u"SAVED" : u"CHARLIE");
    }
    t.dialogs.messages.clear();
    window->saveBeforeEnd();  // nothing unsaved: nothing asked
    EXPECT_TRUE(t.dialogs.messages.empty());
}

// Another data file made current (Data File Setup, a named-file button) while the editor holds
// unsaved changes: shown again, the editor asks before it reads the other file.
TEST_F(EditorWindow, AnotherCurrentFileNeverDropsUnsavedChangesUnasked)
{
    t.writeFile(QStringLiteral("HAM.TXT"), editor::testing::CreateFileLines({Channel(1, "03.573.0", "USB", 2, false, "HAM")}));
    window->model().setData(window->model().index(3, static_cast<int>(editor::Column::Label)), QStringLiteral("DELTA"),
                            Qt::EditRole);
    t.program->state.CurrentDataFile = t.path(QStringLiteral("HAM.TXT"));
    t.dialogs.answerMessage(MessageAnswer::Cancel);
    window->openCurrentFile();
    EXPECT_EQ(window->windowTitle(), u"Channel Editor - TALVEX.TXT *");
    EXPECT_EQ(editor::ChannelRowOf(window->model().lines()[3]).label.trimmed(), u"DELTA");
    t.dialogs.answerMessage(MessageAnswer::Save);
    window->openCurrentFile();
    EXPECT_EQ(window->windowTitle(), u"Channel Editor - HAM.TXT");
    EXPECT_EQ(editor::ChannelRowOf(window->model().lines()[3]).label.trimmed(), u"HAM");
    EXPECT_EQ(editor::ChannelRowOf(savedLines()[3]).label.trimmed(), u"DELTA");
    EXPECT_EQ(t.dialogs.messages.size(), 2u);
}

TEST_F(EditorWindow, BothMainWindowsOpenItFromTheirFileMenuAboveExit)
{
    MemoryMain memory(t.program->controls());
    RadioMain radio(t.program->controls());
    for (QMainWindow* main : std::initializer_list<QMainWindow*>{&memory, &radio}) {
        auto* action = main->findChild<QAction*>(QStringLiteral("FileEditChannels"));
        ASSERT_NE(action, nullptr);
        const auto fileItems = main->findChild<QMenu*>(QStringLiteral("File"))->actions();
        ASSERT_EQ(fileItems.size(), 2);
        EXPECT_EQ(fileItems[0], action);
        EXPECT_EQ(fileItems[0]->text(), u"&Edit Channels\u2026");
        EXPECT_EQ(fileItems[1]->objectName(), u"FileExit");
        action->trigger();
    }
    EXPECT_EQ(t.shell.channelEditorShown, 2);
}

}  // namespace
}  // namespace talvex::testing
