// The Channel Editor driven by key events alone: three channels edited, saved, and the file on
// disk holding exactly those changes; the unsaved-changes question; the way in from the menus.
#include "editor/window/channel_editor_window.h"

#include "editor/editor_row.h"
#include "memory/window/memory_main.h"
#include "radio/window/radio_main.h"
#include "tests/support/window_test.h"
#define TALVEX_TEST_PRINTS_QSTRING  // test_program.h prints QString already
#include "editor_lines.h"

#include <QAbstractItemView>
#include <QAccessible>
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

    QTableView& table() const { return *window->findChild<QTableView*>(QStringLiteral("ChannelTable")); }
    QString status() const { return window->findChild<QLineEdit*>(QStringLiteral("EditorStatus"))->text(); }
    QStringList savedLines() const { return QString::fromLatin1(t.readFile(QStringLiteral("TALVEX.TXT"))).split(QStringLiteral("\r\n")); }

    OpenProgram t;
    QStringList original;
    std::unique_ptr<editor::ChannelEditorWindow> window;
};

TEST_F(EditorWindow, ThreeChannelsEditedFromTheKeyboardAreWhatTheSavedFileChanges)
{
    // Channel 3: found by its label, a frequency typed with a decimal comma; Enter goes down a row.
    key(Qt::Key_F, Qt::ControlModifier);
    type("ALPHA");
    key(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), u"ChannelTable");
    // A value the cell refuses stays in its editor, named, to be put right.
    type("29,6,4");
    key(Qt::Key_Return);
    auto* typed = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->text(), u"29,6,4");
    EXPECT_EQ(status(), u"Line 6, Frequency: \"29,6,4\" has 2 commas: a frequency takes one decimal comma (29,64 or 14074,5)");
    key(Qt::Key_A, Qt::ControlModifier);
    type("29,64");
    key(Qt::Key_Return);
    EXPECT_EQ(table().currentIndex().row(), editor::testing::kFirstChannelRow + 3);
    // Channel 2, two rows up: its label, four cells to the right by Tab.
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    for (int i = 0; i < 4; ++i)
        key(Qt::Key_Tab);
    key(Qt::Key_F2);
    key(Qt::Key_A, Qt::ControlModifier);
    type("RICH");
    key(Qt::Key_Return);
    // Channel 1: three cells back by Shift+Tab, its mode from the list Alt+Down opens.
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Backtab, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::AltModifier);
    auto* mode = table().findChild<QComboBox*>();
    ASSERT_NE(mode, nullptr);
    ASSERT_TRUE(mode->view()->isVisible());
    type("L");
    key(Qt::Key_Return);  // picks from the list
    ASSERT_EQ(mode->currentText(), u"LSB");
    key(Qt::Key_Return);  // takes the cell
    key(Qt::Key_S, Qt::ControlModifier);

    QStringList expected = original;
    expected[3] = Channel(1, "21.074.0", "LSB", 2, false, "CHARLIE");
    QByteArray record = editor::testing::RichRecord(2);
    record.replace(31, 10, "RICH      ");
    expected[4] = WithRecordZone(Channel(2, "14.074.0", "USB", 2, true, "RICH"), *MemoryRecord::from(record));
    expected[5] = Channel(3, "29.640.0", "LSB", 1, false, "ALPHA");
    expected << QString();  // the last line's CR LF
    EXPECT_EQ(savedLines(), expected);
    EXPECT_FALSE(window->model().isModified());
    EXPECT_EQ(status(), u"TALVEX.TXT saved");
}

// Tab stays in the table, from cell to cell and row to row; Ctrl+Tab and Ctrl+Shift+Tab leave it.
TEST_F(EditorWindow, TabMovesBetweenCellsAndCtrlTabLeavesTheTable)
{
    const int first = editor::testing::kFirstChannelRow;
    const int last = editor::kColumnCount - 1;
    key(Qt::Key_F, Qt::ControlModifier);
    type("CHARLIE");
    key(Qt::Key_Return);
    key(Qt::Key_End);
    ASSERT_EQ(table().currentIndex(), window->model().index(first, last));
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row;
        int column;
    } steps[] = {
        {Qt::Key_Tab, Qt::NoModifier, first + 1, 0},
        {Qt::Key_Tab, Qt::NoModifier, first + 1, 1},
        {Qt::Key_Backtab, Qt::ShiftModifier, first + 1, 0},
        {Qt::Key_Backtab, Qt::ShiftModifier, first, last},
    };
    for (const auto& step : steps) {
        key(step.key, step.modifiers);
        ASSERT_EQ(QApplication::focusWidget(), &table());
        EXPECT_EQ(table().currentIndex(), window->model().index(step.row, step.column));
    }
    key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), u"UpdateRigSummary");
    table().setFocus(Qt::TabFocusReason);
    key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), u"FindText");
}

// Delete empties a cell as its column empties: a frequency clears the channel, a list cell
// takes its empty or off value, and a cell with none says so and keeps its value.
TEST_F(EditorWindow, DeleteEmptiesTheCellAsItsColumnDoes)
{
    const struct {
        int channel;
        editor::Column column;
        const char* after;  // the cell's text afterwards
        const char* said;
    } cases[] = {
        {1, editor::Column::Frequency, "", "Line 4, Frequency: channel cleared: Update Rig will clear it in the radio"},
        {2, editor::Column::Label, "", "Line 5, Label cleared"},
        {2, editor::Column::Select, "", "Line 5, Select cleared"},
        {2, editor::Column::DataMode, "off", "Line 5, Data cleared"},
        {2, editor::Column::Split, "No", "Line 5, Split cleared"},
        {1, editor::Column::Mode, "USB", "Line 4, Mode: Mode has no empty value: choose one from its list (F2)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(editor::ColumnTitle(c.column).toStdString());
        window->model().load(original);
        const QModelIndex cell = window->model().index(editor::testing::kFirstChannelRow + c.channel - 1, static_cast<int>(c.column));
        table().setCurrentIndex(cell);
        table().setFocus(Qt::OtherFocusReason);
        key(Qt::Key_Delete);
        EXPECT_EQ(cell.data(Qt::DisplayRole).toString().trimmed(), QString::fromLatin1(c.after));
        EXPECT_EQ(status(), QString::fromLatin1(c.said));
    }
    // The frequency's Delete cleared the whole channel, as typing an empty frequency does.
    window->model().load(original);
    table().setCurrentIndex(window->model().index(editor::testing::kFirstChannelRow, static_cast<int>(editor::Column::Frequency)));
    key(Qt::Key_Delete);
    EXPECT_EQ(window->model().lines()[editor::testing::kFirstChannelRow], editor::testing::Blank(1));
}

// F2 opens a list cell on its list, whose empty choice a screen reader names.
TEST_F(EditorWindow, F2OpensAListWhoseEmptyChoiceHasAName)
{
    table().setCurrentIndex(window->model().index(editor::testing::kFirstChannelRow, static_cast<int>(editor::Column::Select)));
    table().setFocus(Qt::OtherFocusReason);
    key(Qt::Key_F2);
    auto* select = table().findChild<QComboBox*>();
    ASSERT_NE(select, nullptr);
    ASSERT_TRUE(select->view()->isVisible());
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(select->view());
    ASSERT_NE(list, nullptr);
    QStringList names;
    for (int i = 0; i < list->childCount(); ++i)
        names << list->child(i)->text(QAccessible::Name);
    EXPECT_EQ(names, (QStringList{QStringLiteral("not selected"), QStringLiteral("Yes")}));
}

TEST_F(EditorWindow, ATypedValueIsCheckedAsItIsTypedAndTheSummaryNamesTheLine)
{
    key(Qt::Key_F, Qt::ControlModifier);
    type("ALPHA");
    key(Qt::Key_Return);
    type("80.00005");
    EXPECT_EQ(status(), u"80.000.0: digits past 100 Hz are cut: 80000050 Hz is kept as 80.000.0 (the file holds 100 Hz "
                              u"steps): frequency 80.000.0 is outside 0.030-74.800 MHz: the radio refuses it");
    key(Qt::Key_Return);
    EXPECT_TRUE(window->findChild<QLineEdit*>(QStringLiteral("UpdateRigSummary"))
                    ->text()
                    .startsWith(u"Update Rig will skip 1 line: line 6 (channel 3): frequency 80.000.0 is outside"));
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
