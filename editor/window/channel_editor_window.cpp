#include "editor/window/channel_editor_window.h"

#include "datafile/text_routines.h"
#include "editor/compare_marks.h"
#include "editor/editor_file.h"
#include "editor/editor_row.h"
#include "editor/row_text.h"
#include "editor/window/cell_delegate.h"
#include "memory/memory_operations.h"
#include "platform/dialogs.h"
#include "platform/widgets/readout_field.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace talvex::editor {

namespace {

const QString kTitle = QStringLiteral("Channel Editor");

QAction* AddAction(QMenu& menu, const char* name, const QString& text, const QKeySequence& keys = {})
{
    QAction* action = menu.addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty())
        action->setShortcut(keys);
    return action;
}

// A row is chosen by any selected cell in it.
std::vector<int> RowsOf(const QModelIndexList& cells)
{
    std::vector<int> rows;
    for (const QModelIndex& cell : cells)
        rows.push_back(cell.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

}  // namespace

ChannelEditorWindow::ChannelEditorWindow(ProgramControls program, QWidget* parent)
    : QMainWindow(parent), program_(program)
{
    setObjectName(QStringLiteral("ChannelEditor"));
    setAccessibleName(kTitle);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* findRow = new QHBoxLayout;
    auto* findLabel = new QLabel(QStringLiteral("F&ind:"), central);
    find_ = new QLineEdit(central);
    find_->setObjectName(QStringLiteral("FindText"));
    find_->setAccessibleName(QStringLiteral("Find"));
    find_->setAccessibleDescription(QStringLiteral("a label or frequency to look for; Enter goes to the next line holding it"));
    findLabel->setBuddy(find_);
    findRow->addWidget(findLabel);
    findRow->addWidget(find_, 1);
    layout->addLayout(findRow);

    table_ = new QTableView(central);
    table_->setObjectName(QStringLiteral("ChannelTable"));
    table_->setAccessibleName(QStringLiteral("Channels"));
    table_->setAccessibleDescription(
        QStringLiteral("the data file's lines; arrow keys and Tab move, typing or F2 edits a cell, Enter takes it and goes "
                       "down, Delete clears it, F2 or Alt+Down opens a list, Ctrl+Tab leaves the table"));
    table_->setModel(&model_);
    auto* delegate = new CellDelegate(model_, table_);
    table_->setItemDelegate(delegate);
    table_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::DoubleClicked);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Tab goes from cell to cell, as in a spreadsheet; Ctrl+Tab leaves the table (eventFilter).
    table_->setTabKeyNavigation(true);
    table_->installEventFilter(this);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    layout->addWidget(table_, 1);

    summary_ = new ReadoutField(central);
    summary_->setObjectName(QStringLiteral("UpdateRigSummary"));
    summary_->setAccessibleName(QStringLiteral("Update Rig"));
    summary_->setAccessibleDescription(QStringLiteral("the lines Update Rig will skip or the radio refuse, and why"));
    layout->addWidget(summary_);

    auto* report = new QPlainTextEdit(central);
    report->setObjectName(QStringLiteral("Report"));
    report->setAccessibleName(QStringLiteral("Report"));
    report->setAccessibleDescription(QStringLiteral("what the last import, compare or write found"));
    report->setReadOnly(true);
    report->setTabChangesFocus(true);
    report->setMaximumHeight(report->fontMetrics().height() * 4);
    layout->addWidget(report);

    status_ = new ReadoutField(central);
    status_->setObjectName(QStringLiteral("EditorStatus"));
    status_->setAccessibleName(QStringLiteral("Status"));
    status_->setAccessibleDescription(QStringLiteral("what the last key, command or check found"));
    layout->addWidget(status_);
    setCentralWidget(central);
    setTabOrder(find_, table_);
    setTabOrder(table_, summary_);
    setTabOrder(summary_, report);
    setTabOrder(report, status_);

    connect(delegate, &CellDelegate::typing, this, &ChannelEditorWindow::say);
    connect(delegate, &CellDelegate::enterPressed, this, [this] { goToRow(currentRow() + 1); });
    connect(&model_, &ChannelTableModel::message, this, &ChannelEditorWindow::say);
    connect(&model_, &ChannelTableModel::currentRowChanged, this, &ChannelEditorWindow::goToRow);
    connect(&model_.undoStack(), &QUndoStack::cleanChanged, this, &ChannelEditorWindow::refreshTitle);
    connect(&model_, &QAbstractItemModel::modelReset, this, &ChannelEditorWindow::refreshSummary);
    connect(&model_, &QAbstractItemModel::dataChanged, this, &ChannelEditorWindow::refreshSummary);
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        // The row's checks on the status line as the operator arrives at it.
        if (current.isValid() && !model_.checkOf(current.row()).ok())
            say(QStringLiteral("Line ") + QString::number(current.row() + 1) + QStringLiteral(": ")
                + model_.checkOf(current.row()).text());
    });
    connect(find_, &QLineEdit::returnPressed, this, &ChannelEditorWindow::findNext);

    buildMenus();
    resize(1100, 640);
    openCurrentFile();
}

ChannelEditorWindow::~ChannelEditorWindow()
{
    if (listening_)
        program_.memory.removeListener(this);
}

void ChannelEditorWindow::buildMenus()
{
    QMenu& file = *menuBar()->addMenu(QStringLiteral("&File"));
    connect(AddAction(file, "EditorSave", QStringLiteral("&Save"), QKeySequence::Save), &QAction::triggered, this,
            &ChannelEditorWindow::save);
    file.addSeparator();
    connect(AddAction(file, "EditorImport", QStringLiteral("&Import CHIRP CSV...")), &QAction::triggered, this,
            &ChannelEditorWindow::importChirp);
    connect(AddAction(file, "EditorExport", QStringLiteral("&Export CHIRP CSV...")), &QAction::triggered, this,
            &ChannelEditorWindow::exportChirp);
    file.addSeparator();
    connect(AddAction(file, "EditorCompare", QStringLiteral("Co&mpare with Radio")), &QAction::triggered, this,
            &ChannelEditorWindow::compareWithRadio);
    connect(AddAction(file, "EditorTakeSettings", QStringLiteral("&Take Settings from the Radio")), &QAction::triggered,
            this, &ChannelEditorWindow::takeSettings);
    connect(AddAction(file, "EditorWrite", QStringLiteral("&Write to Radio")), &QAction::triggered, this,
            &ChannelEditorWindow::writeToRadio);
    file.addSeparator();
    connect(AddAction(file, "EditorClose", QStringLiteral("&Close"), QKeySequence(Qt::CTRL | Qt::Key_W)), &QAction::triggered,
            this, &QWidget::close);
    buildActionsOfEdit(*menuBar()->addMenu(QStringLiteral("&Edit")));
}

void ChannelEditorWindow::buildActionsOfEdit(QMenu& edit)
{
    QUndoStack& undo = model_.undoStack();
    QAction* undoAction = undo.createUndoAction(this, QStringLiteral("&Undo"));
    undoAction->setObjectName(QStringLiteral("EditorUndo"));
    undoAction->setShortcut(QKeySequence::Undo);
    QAction* redoAction = undo.createRedoAction(this, QStringLiteral("&Redo"));
    redoAction->setObjectName(QStringLiteral("EditorRedo"));
    redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit.addAction(undoAction);
    edit.addAction(redoAction);
    edit.addSeparator();
    connect(AddAction(edit, "EditorCut", QStringLiteral("Cu&t Rows"), QKeySequence::Cut), &QAction::triggered, this,
            &ChannelEditorWindow::cutRows);
    connect(AddAction(edit, "EditorCopy", QStringLiteral("&Copy Rows"), QKeySequence::Copy), &QAction::triggered, this,
            &ChannelEditorWindow::copyRows);
    connect(AddAction(edit, "EditorPaste", QStringLiteral("&Paste Rows"), QKeySequence::Paste), &QAction::triggered, this,
            &ChannelEditorWindow::pasteRows);
    edit.addSeparator();
    // Delete empties the cells chosen; in a cell's editor it is the editor's own key.
    QAction* clearCells = AddAction(edit, "EditorClearCells", QStringLiteral("Clear C&ells"), QKeySequence(Qt::Key_Delete));
    clearCells->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(clearCells);
    connect(clearCells, &QAction::triggered, this, [this] {
        QModelIndexList cells = table_->selectionModel()->selectedIndexes();
        if (cells.isEmpty() && table_->currentIndex().isValid())
            cells << table_->currentIndex();
        model_.clearCells(cells);
    });
    connect(AddAction(edit, "EditorInsert", QStringLiteral("&Insert Channel"), QKeySequence(Qt::CTRL | Qt::Key_Insert)),
            &QAction::triggered, this, [this] { model_.insertChannel(currentRow()); });
    connect(AddAction(edit, "EditorClear", QStringLiteral("C&lear Channel"), QKeySequence(Qt::CTRL | Qt::Key_Delete)),
            &QAction::triggered, this, [this] { model_.clearChannels(chosenRows()); });
    connect(AddAction(edit, "EditorMoveUp", QStringLiteral("Move &Up"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up)),
            &QAction::triggered, this, [this] { model_.moveChannel(currentRow(), -1); });
    connect(AddAction(edit, "EditorMoveDown", QStringLiteral("Move &Down"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down)),
            &QAction::triggered, this, [this] { model_.moveChannel(currentRow(), +1); });
    edit.addSeparator();
    connect(AddAction(edit, "EditorSortFrequency", QStringLiteral("Sort by &Frequency")), &QAction::triggered, this,
            [this] { model_.sortChannels(SortKey::Frequency); });
    connect(AddAction(edit, "EditorSortLabel", QStringLiteral("Sort by &Label")), &QAction::triggered, this,
            [this] { model_.sortChannels(SortKey::Label); });
    edit.addSeparator();
    connect(AddAction(edit, "EditorFind", QStringLiteral("Fi&nd..."), QKeySequence::Find), &QAction::triggered, this, [this] {
        find_->setFocus(Qt::ShortcutFocusReason);
        find_->selectAll();
    });
    connect(AddAction(edit, "EditorFindNext", QStringLiteral("Find &Next"), QKeySequence::FindNext), &QAction::triggered,
            this, &ChannelEditorWindow::findNext);
}

void ChannelEditorWindow::openCurrentFile()
{
    const QString path = program_.state.CurrentDataFile;
    if (model_.isModified() && path == path_)
        return;
    // Another data file became current: the changes to this one are saved or dropped first, never
    // lost unasked; Cancel keeps this one on show.
    if (model_.isModified() && !mayClose())
        return;
    path_ = path;
    const LoadedLines loaded = LoadLines(path_);
    model_.load(loaded.lines.value_or(QStringList()));
    table_->resizeColumnsToContents();
    refreshTitle();
    say(loaded.lines ? QString::number(loaded.lines->size()) + QStringLiteral(" lines read from ") + UpperFileName(path_)
                     : loaded.error);
}

bool ChannelEditorWindow::save()
{
    if (program_.state.CreatingFile) {
        program_.dialogs.critical(kBusyTitle, BusyRefusal(QStringLiteral("Create File"), QStringLiteral("Save")));
        return false;
    }
    if (const auto error = SaveLines(path_, model_.lines())) {
        program_.dialogs.critical(kTitle, *error);
        say(*error);
        return false;
    }
    model_.markSaved();
    QString said = UpperFileName(path_) + QStringLiteral(" saved");
    // The file cannot carry where a line's contents were read: once it is read again, nothing
    // tells those rows apart. The operator hears it while it can still be mended.
    if (const auto unknown = model_.rowsWithUnknownSettings(); !unknown.empty())
        said += QStringLiteral("; ") + QString::number(unknown.size())
            + (unknown.size() == 1 ? QStringLiteral(" row stands") : QStringLiteral(" rows stand"))
            + QStringLiteral(" on another channel without its settings: Take Settings from the Radio gives them theirs before "
                             "the file is read again");
    say(said);
    return true;
}

bool ChannelEditorWindow::mayClose()
{
    if (!model_.isModified())
        return true;
    switch (program_.dialogs.message(kTitle, UpperFileName(path_) + QStringLiteral(" has unsaved changes ... Save them?"),
                                     MessageIcon::None, MessageButtons::SaveDiscardCancel)) {
    case MessageAnswer::Save: return save();
    case MessageAnswer::Discard:
        model_.load(LoadLines(path_).lines.value_or(QStringList()));
        return true;
    default: return false;
    }
}

void ChannelEditorWindow::saveBeforeEnd()
{
    if (model_.isModified()
        && program_.dialogs.message(kTitle, UpperFileName(path_) + QStringLiteral(" has unsaved changes ... Save them before TALVEX ends?"),
                                    MessageIcon::None, MessageButtons::YesNo)
               == MessageAnswer::Yes)
        save();
}

bool ChannelEditorWindow::eventFilter(QObject* object, QEvent* event)
{
    if (object != table_ || event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(object, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (tab && modifiers.testFlag(Qt::ControlModifier)) {
        // Ctrl+Tab leaves the table, which keeps Tab for its cells.
        focusNextPrevChild(key->key() == Qt::Key_Tab && !modifiers.testFlag(Qt::ShiftModifier));
        return true;
    }
    const bool openList = (key->key() == Qt::Key_F2 && modifiers == Qt::NoModifier)
        || (key->key() == Qt::Key_Down && modifiers == Qt::AltModifier);
    if (openList) {
        openCell();
        return true;
    }
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        goToRow(currentRow() + 1);
        return true;
    }
    return QMainWindow::eventFilter(object, event);
}

void ChannelEditorWindow::openCell()
{
    const QModelIndex cell = table_->currentIndex();
    if (!cell.isValid() || !(model_.flags(cell) & Qt::ItemIsEditable)) {
        say(QStringLiteral("This cell cannot be edited"));
        return;
    }
    table_->edit(cell);
    // A cell of choices opens on its list.
    if (auto* list = qobject_cast<QComboBox*>(table_->indexWidget(cell)))
        list->showPopup();
}

void ChannelEditorWindow::closeEvent(QCloseEvent* event)
{
    if (mayClose())
        event->accept();
    else
        event->ignore();
}

void ChannelEditorWindow::say(const QString& text)
{
    // The change of the status line's text is what a screen reader reads out: a message the
    // same as the last one (a second "Nothing to clear") is taken away first, so it is heard
    // again.
    if (status_->text() == text)
        status_->display(QString());
    status_->display(text);
    status_->announce();
}

void ChannelEditorWindow::refreshTitle()
{
    setWindowTitle(kTitle + QStringLiteral(" - ") + UpperFileName(path_) + (model_.isModified() ? QStringLiteral(" *") : QString()));
}

void ChannelEditorWindow::refreshSummary()
{
    const QString summary = model_.refusalSummary();
    summary_->display(summary.isEmpty() ? QStringLiteral("Update Rig will take every line as it stands") : summary);
    summary_->setToolTip(summary_->text());
    // Lines that are no channel read whole across the row.
    table_->clearSpans();
    for (int row = 0; row < model_.rowCount(); ++row) {
        if (RowKindOf(model_.lines()[row]) != RowKind::Channel)
            table_->setSpan(row, 0, 1, kColumnCount);
    }
}

std::vector<int> ChannelEditorWindow::chosenRows() const
{
    std::vector<int> rows = RowsOf(table_->selectionModel()->selectedIndexes());
    if (rows.empty() && table_->currentIndex().isValid())
        rows.push_back(table_->currentIndex().row());
    return rows;
}

int ChannelEditorWindow::currentRow() const { return table_->currentIndex().isValid() ? table_->currentIndex().row() : 0; }

void ChannelEditorWindow::goToRow(int row)
{
    if (row < 0 || row >= model_.rowCount())
        return;
    const int column = table_->currentIndex().isValid() ? table_->currentIndex().column() : static_cast<int>(Column::Frequency);
    const QModelIndex cell = model_.index(row, column);
    table_->setCurrentIndex(cell);
    table_->scrollTo(cell);
}

void ChannelEditorWindow::copyRows()
{
    const QStringList lines = model_.linesOf(chosenRows());
    auto* data = new QMimeData;
    data->setText(TsvOfLines(lines));
    data->setData(QString::fromLatin1(kLinesMimeType), LinesPayload(lines));
    QApplication::clipboard()->setMimeData(data);
    say(QString::number(lines.size()) + (lines.size() == 1 ? QStringLiteral(" row copied") : QStringLiteral(" rows copied")));
}

void ChannelEditorWindow::cutRows()
{
    copyRows();
    model_.clearChannels(chosenRows());
}

void ChannelEditorWindow::pasteRows()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr)
        return;
    if (data->hasFormat(QString::fromLatin1(kLinesMimeType)))
        model_.pasteLines(currentRow(), LinesOfPayload(data->data(QString::fromLatin1(kLinesMimeType))));
    else if (data->hasText())
        model_.pasteText(currentRow(), data->text());
}

void ChannelEditorWindow::findNext()
{
    const auto row = model_.find(find_->text(), currentRow());
    if (!row) {
        say(u'"' + find_->text() + QStringLiteral("\" is in no label or frequency"));
        return;
    }
    goToRow(*row);
    table_->setFocus(Qt::OtherFocusReason);
    say(QStringLiteral("Found on line ") + QString::number(*row + 1) + QStringLiteral(": channel ")
        + ChannelRowOf(model_.lines()[*row]).channel);
}

void ChannelEditorWindow::importChirp()
{
    const auto file = program_.dialogs.openFile({QStringLiteral("CHIRP CSV (*.csv)"), QStringLiteral("All files (*)")}, 0);
    if (!file)
        return;
    const channels::ImportResult result = ImportChirpFile(*file, UpperFileName(path_));
    QStringList report;
    for (const channels::ReportLine& line : result.report)
        report << line.shown();
    report += result.notes;
    findChild<QPlainTextEdit*>(QStringLiteral("Report"))->setPlainText(report.join(u'\n'));
    if (result.refused || result.lines.isEmpty()) {
        say(QStringLiteral("Nothing imported from ") + *file);
        return;
    }
    model_.replaceAll(result.lines, QStringLiteral("Import CHIRP CSV"));
    say(QString::number(result.channels) + QStringLiteral(" channels imported from ") + *file
        + (result.changed() ? QStringLiteral("; the report says what was changed or left out") : QString()));
}

void ChannelEditorWindow::exportChirp()
{
    const auto file = program_.dialogs.openFile({QStringLiteral("CHIRP CSV (*.csv)")}, 0, true);
    if (!file)
        return;
    if (const auto error = ExportChirpFile(*file, model_.lines())) {
        program_.dialogs.critical(kTitle, *error);
        say(*error);
        return;
    }
    say(QStringLiteral("Channels exported to ") + *file);
}

bool ChannelEditorWindow::mayWriteUnknownSettings()
{
    const std::vector<int> unknown = model_.rowsWithUnknownSettings();
    if (unknown.empty())
        return true;
    QStringList named;
    for (const int row : unknown) {
        if (named.size() == 10) {
            named << QStringLiteral("and ") + QString::number(unknown.size() - 10) + QStringLiteral(" more");
            break;
        }
        named << QStringLiteral("line ") + QString::number(row + 1) + QStringLiteral(" (channel ")
                + QString::number(*model_.checkOf(row).settingsUnknownOn) + QStringLiteral(", read on ")
                + QString::number(model_.table().readOn[static_cast<std::size_t>(row)]) + u')';
    }
    const QString text = QString::number(unknown.size())
        + (unknown.size() == 1 ? QStringLiteral(" line stands") : QStringLiteral(" lines stand"))
        + QStringLiteral(" on another channel without its settings: ") + named.join(QStringLiteral(", "))
        + QStringLiteral(". Update Rig would give each the tones, data mode and split of the channel it now stands on. "
                         "Take Settings from the Radio gives them their own. Write them as they are?");
    if (program_.dialogs.message(kTitle, text, MessageIcon::None, MessageButtons::YesNo) == MessageAnswer::Yes)
        return true;
    say(QStringLiteral("Write to Radio did not run: ") + QString::number(unknown.size())
        + (unknown.size() == 1 ? QStringLiteral(" line lacks") : QStringLiteral(" lines lack"))
        + QStringLiteral(" its settings (Take Settings from the Radio)"));
    return false;
}

void ChannelEditorWindow::writeToRadio()
{
    if (!mayWriteUnknownSettings())
        return;
    if (model_.isModified()) {
        if (program_.dialogs.message(kTitle,
                                     UpperFileName(path_) + QStringLiteral(" has unsaved changes ... Update Rig writes the file "
                                                                           "as saved. Save them first?"),
                                     MessageIcon::None, MessageButtons::YesNo)
                != MessageAnswer::Yes
            || !save())
            return;
    }
    if (path_ != program_.state.CurrentDataFile) {
        say(QStringLiteral("The current data file is now ") + UpperFileName(program_.state.CurrentDataFile)
            + QStringLiteral(": Write to Radio writes only the file shown here"));
        return;
    }
    if (!listenTo([this] { startUpdateRig(); }, false))
        say(QStringLiteral("Write to Radio did not run"));
}

// The engine asks nothing: each question it refuses with (the confirmation, and whether to write
// the other lines when the radio cannot take some) is asked here, and the run started again with
// the answer in its request.
void ChannelEditorWindow::startUpdateRig()
{
    MemoryRequest request;
    for (;;) {
        const StartResult result = program_.memory.updateRig(request);
        const auto* refused = std::get_if<Refused>(&result);
        if (!refused)
            return;
        const bool asks = refused->reason == RefusalReason::Unconfirmed
            || refused->reason == RefusalReason::SkippedLinesUnanswered;
        if (!asks) {
            showRefusal(result);
            return;
        }
        const bool yes = program_.dialogs.message(refused->title, refused->text, MessageIcon::None, MessageButtons::YesNo)
            == MessageAnswer::Yes;
        if (refused->reason == RefusalReason::SkippedLinesUnanswered) {
            request.writeDespiteSkippedLines = yes;
        } else if (yes) {
            request.confirmed = true;
        } else {
            return;
        }
    }
}

void ChannelEditorWindow::compareWithRadio()
{
    // The lines as they stand in the editor, saved or not: nothing is written anywhere.
    reading_ = Reading::Compare;
    if (!listenTo(
            [this] {
                MemoryRequest request;
                request.lines = model_.lines();
                showRefusal(program_.memory.compareRig(request));
            },
            true))
        say(QStringLiteral("Compare with Radio did not run"));
    else if (!listening_)
        say(QStringLiteral("Compare with Radio: the file names no channel"));
}

void ChannelEditorWindow::takeSettings()
{
    const std::vector<int> channels = ChannelsForSettings(model_.table());
    if (channels.empty()) {
        say(QStringLiteral("Every channel row carries its settings already: nothing to take"));
        return;
    }
    // Compare with Radio's read, of the channels the rows were read on; nothing is written.
    const QStringList reads = LinesToRead(channels);
    reading_ = Reading::Settings;
    if (!listenTo(
            [this, reads] {
                MemoryRequest request;
                request.lines = reads;
                showRefusal(program_.memory.compareRig(request));
            },
            false))
        say(QStringLiteral("Take Settings from the Radio did not run"));
}

bool ChannelEditorWindow::listenTo(const std::function<void()>& start, bool compare)
{
    // Busy, or no radio: the memory engine refuses and says why; nothing starts to listen to.
    const bool refused = program_.state.anyMemoryOperationRunning() || program_.state.PortReady != 1;
    writeVerdicts_.clear();
    writeSkips_.clear();
    model_.setRadioVerdicts({});
    program_.memory.addListener(this);
    listening_ = true;
    start();
    program_.notifyDisplay();
    if (program_.state.UpdatingRig || program_.state.ComparingRig)
        return true;
    program_.memory.removeListener(this);
    listening_ = false;
    // A compare of lines naming no channel is planned at once, without the radio.
    if (compare && !refused && program_.memory.comparison().complete()) {
        model_.setRadioVerdicts(CompareMarks(model_.lines(), program_.memory.comparison().plans()));
        return true;
    }
    return false;  // refused, or answered No: nothing was sent
}

void ChannelEditorWindow::progress(const QString& what, int done, int of)
{
    say(what + QStringLiteral(" (") + QString::number(done) + QStringLiteral(" of ") + QString::number(of) + u')');
}

void ChannelEditorWindow::verdict(int channel, const std::optional<QString>& why) { writeVerdicts_[channel] = why; }

void ChannelEditorWindow::ended(const MemoryOutcome& outcome)
{
    if (outcome.finished())
        finished(outcome.operation, outcome.report);
    else
        stopped(outcome.operation, outcome.stopped == StopKind::Operator ? QStringLiteral("stopped by the operator") : outcome.why);
}

void ChannelEditorWindow::showRefusal(const StartResult& result)
{
    // Busy, or no radio: the refusal is shown as the Memory window shows it.
    if (const auto* refused = std::get_if<Refused>(&result); refused && !refused->text.isEmpty()) {
        if (refused->critical)
            program_.dialogs.critical(refused->title, refused->text);
        else
            program_.dialogs.message(refused->title, refused->text, MessageIcon::None, MessageButtons::Ok);
    }
}

void ChannelEditorWindow::finished(const QString& operation, const ChannelReport& report)
{
    if (operation == program_.memory.comparison().name() && reading_ == Reading::Settings) {
        program_.memory.removeListener(this);
        listening_ = false;
        std::map<int, RadioHeld> held;
        for (const PlannedLine& planned : program_.memory.comparison().plans())
            held[planned.plan.channel] = planned.plan.held;
        model_.takeSettings([&held](int channel) {
            const auto found = held.find(channel);
            return found == held.end() ? RadioHeld() : found->second;
        });
        return;
    }
    if (operation == program_.memory.comparison().name()) {
        program_.memory.removeListener(this);
        listening_ = false;
        const std::map<int, QString> marks = CompareMarks(model_.lines(), program_.memory.comparison().plans());
        int differing = 0;
        for (const auto& [row, mark] : marks)
            differing += mark.startsWith(QStringLiteral("same")) ? 0 : 1;
        model_.setRadioVerdicts(marks);
        say(QStringLiteral("Compare with Radio: ") + QString::number(differing)
            + (differing == 1 ? QStringLiteral(" line differs") : QStringLiteral(" lines differ"))
            + QStringLiteral(" from the radio; nothing was written"));
        return;
    }
    // A line Update Rig left out is no verdict of the radio's; the report names it.
    for (const ChannelSkip& skip : report.skips())
        writeSkips_[skip.line - 1] = skip.why;  // Update Rig ran on the saved file: a line is a row
    markWriteResults(report.summary(operation), true);
    findChild<QPlainTextEdit*>(QStringLiteral("Report"))->setPlainText(report.summary(operation) + u'\n' + report.details());
}

void ChannelEditorWindow::stopped(const QString& operation, const QString& why)
{
    if (operation == program_.memory.comparison().name()) {
        // A read that stopped wrote nothing and marks nothing.
        program_.memory.removeListener(this);
        listening_ = false;
        say((reading_ == Reading::Settings ? QStringLiteral("Take Settings from the Radio") : QStringLiteral("Compare with Radio"))
            + QStringLiteral(" stopped: ") + why + QStringLiteral("; nothing was changed"));
        return;
    }
    markWriteResults(operation + QStringLiteral(" stopped: ") + why, false);
}

void ChannelEditorWindow::markWriteResults(const QString& ending, bool completed)
{
    program_.memory.removeListener(this);
    listening_ = false;
    std::map<int, QString> marks;
    const QStringList& lines = model_.lines();
    for (int row = 0; row < lines.size(); ++row) {
        if (RowKindOf(lines[row]) == RowKind::End)
            break;
        if (RowKindOf(lines[row]) != RowKind::Channel)
            continue;
        const auto channel = MemoryChannelOf(ChannelRowOf(lines[row]));
        const auto found = channel ? writeVerdicts_.find(*channel) : writeVerdicts_.end();
        // A line Update Rig skipped wrote nothing, whatever another line of its channel did.
        const auto skipped = writeSkips_.find(row);
        if (skipped != writeSkips_.end())
            marks[row] = QStringLiteral("skipped: ") + skipped->second;
        else if (found != writeVerdicts_.end())
            marks[row] = found->second                      ? QStringLiteral("not verified: ") + *found->second
                         : ChannelRowOf(lines[row]).isBlank() ? QStringLiteral("cleared and verified")
                                                              : QStringLiteral("written and verified");
        else if (completed)
            marks[row] = QStringLiteral("unchanged: the radio already held it");
        else
            marks[row] = QStringLiteral("not reached: the run stopped before it");
    }
    model_.setRadioVerdicts(std::move(marks));
    say(ending);
}

}  // namespace talvex::editor
