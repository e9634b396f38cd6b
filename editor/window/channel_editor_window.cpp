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
#include <QHBoxLayout>
#include <QHeaderView>
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
        QStringLiteral("the data file's lines; arrow keys move, typing or F2 edits a cell, Enter takes it"));
    table_->setModel(&model_);
    auto* delegate = new CellDelegate(table_);
    table_->setItemDelegate(delegate);
    table_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::DoubleClicked);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setTabKeyNavigation(false);  // Tab goes on to the next control, as everywhere else
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
        program_.memory.setListener(nullptr);
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
    say(UpperFileName(path_) + QStringLiteral(" saved"));
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

void ChannelEditorWindow::closeEvent(QCloseEvent* event)
{
    if (mayClose())
        event->accept();
    else
        event->ignore();
}

void ChannelEditorWindow::say(const QString& text)
{
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

void ChannelEditorWindow::writeToRadio()
{
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
    if (!listenTo([this] { program_.memory.Command3_Click(); }, false))
        say(QStringLiteral("Write to Radio did not run"));
}

void ChannelEditorWindow::compareWithRadio()
{
    // The lines as they stand in the editor, saved or not: nothing is written anywhere.
    if (!listenTo([this] { program_.memory.compareRig(model_.lines()); }, true))
        say(QStringLiteral("Compare with Radio did not run"));
    else if (!listening_)
        say(QStringLiteral("Compare with Radio: the file names no channel"));
}

bool ChannelEditorWindow::listenTo(const std::function<void()>& start, bool compare)
{
    // Busy, or no radio: the memory engine refuses and says why; nothing starts to listen to.
    const bool refused = program_.state.anyMemoryOperationRunning() || program_.state.PortReady != 1;
    writeVerdicts_.clear();
    writeSkips_.clear();
    model_.setRadioVerdicts({});
    program_.memory.setListener(this);
    listening_ = true;
    start();
    program_.notifyDisplay();
    if (program_.state.UpdatingRig || program_.state.ComparingRig)
        return true;
    program_.memory.setListener(nullptr);
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

void ChannelEditorWindow::finished(const QString& operation, const ChannelReport& report)
{
    if (operation == program_.memory.comparison().name()) {
        program_.memory.setListener(nullptr);
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
        writeSkips_[skip.channel] = skip.why;
    markWriteResults(report.summary(operation), true);
    findChild<QPlainTextEdit*>(QStringLiteral("Report"))->setPlainText(report.summary(operation) + u'\n' + report.details());
}

void ChannelEditorWindow::stopped(const QString& operation, const QString& why)
{
    markWriteResults(operation + QStringLiteral(" stopped: ") + why, false);
}

void ChannelEditorWindow::markWriteResults(const QString& ending, bool completed)
{
    program_.memory.setListener(nullptr);
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
        const auto skipped = channel ? writeSkips_.find(*channel) : writeSkips_.end();
        if (skipped != writeSkips_.end())
            marks[row] = QStringLiteral("skipped: ") + skipped->second;
        else if (found != writeVerdicts_.end())
            marks[row] = found->second                      ? QStringLiteral("not verified: ") + *found->second
                         : ChannelRowOf(lines[row]).isBlank() ? QStringLiteral("cleared and verified")
                                                              : QStringLiteral("written and verified");
        else if (model_.checkOf(row).refused)
            marks[row] = QStringLiteral("skipped: ") + model_.checkOf(row).text();
        else if (completed)
            marks[row] = QStringLiteral("unchanged: the radio already held it");
        else
            marks[row] = QStringLiteral("not reached: the run stopped before it");
    }
    model_.setRadioVerdicts(std::move(marks));
    say(ending);
}

}  // namespace talvex::editor
