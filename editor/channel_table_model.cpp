#include "editor/channel_table_model.h"

#include "editor/cell_edit.h"
#include "editor/editor_row.h"
#include "editor/frequency_entry.h"
#include "editor/lines_command.h"
#include "editor/row_text.h"

#include <QColor>

namespace talvex::editor {

namespace {

Column ColumnOf(const QModelIndex& index) { return static_cast<Column>(index.column()); }

QString LineName(int row) { return QStringLiteral("Line ") + QString::number(row + 1); }

}  // namespace

ChannelTableModel::ChannelTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ChannelTableModel::load(const QStringList& lines)
{
    beginResetModel();
    table_ = TableOf(lines);
    checks_ = CheckLines(table_);
    notes_.clear();
    verdicts_.clear();
    endResetModel();
    undo_.clear();
    undo_.setClean();
}

QString ChannelTableModel::refusalSummary() const { return RefusalSummary(table_.lines, checks_); }

int ChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(table_.lines.size());
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const Column column = ColumnOf(index);
    const QString& line = table_.lines[row];
    const RowCheck& check = checkOf(row);
    const auto note = notes_.find(row);
    const QString problem = column == Column::Checks ? check.text() : check.textFor(column);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (column == Column::Checks) {
            QStringList texts;
            if (note != notes_.end())
                texts << note->second;
            if (!check.ok())
                texts << check.text();
            return texts.join(QStringLiteral("; "));
        }
        if (column == Column::Radio)
            return radioVerdict(row);
        if (column == Column::Label && role == Qt::DisplayRole)
            return CellText(line, column).trimmed().isEmpty() ? QString() : CellText(line, column);
        return CellText(line, column);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        QString text = ColumnDescription(column);
        if (!problem.isEmpty())
            text += QStringLiteral(". ") + problem;
        return text;
    }
    case Qt::BackgroundRole:
        if (!problem.isEmpty())
            return QColor(255, 205, 205);
        return {};
    default: return {};
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= kColumnCount)
            return {};
        if (role == Qt::DisplayRole)
            return ColumnTitle(static_cast<Column>(section));
        if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
            return ColumnDescription(static_cast<Column>(section));
        return {};
    }
    if (role == Qt::DisplayRole)
        return section + 1;  // the line of the file
    return {};
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (IsEditableCell(table_.lines[index.row()], ColumnOf(index)))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const int row = index.row();
    const Column column = ColumnOf(index);
    const CellEdit edit = EditCell(table_.lines[row], column, value.toString());
    if (!edit.line) {
        emit message(LineName(row) + QStringLiteral(", ") + ColumnTitle(column) + QStringLiteral(": ") + edit.refusal);
        return false;
    }
    if (*edit.line != table_.lines[row]) {
        TableLines after = table_;
        after.lines[row] = *edit.line;
        change(ColumnTitle(column) + QStringLiteral(" of line ") + QString::number(row + 1), RowChange{after, row, {}, {}, {}},
               row);
    }
    if (edit.note.isEmpty())
        notes_.erase(row);
    else
        notes_[row] = edit.note;
    const QString summary = checkOf(row).text();
    QStringList told;
    if (!edit.note.isEmpty())
        told << edit.note;
    if (!summary.isEmpty())
        told << summary;
    emit message(told.isEmpty() ? QString() : LineName(row) + QStringLiteral(": ") + told.join(QStringLiteral("; ")));
    emit dataChanged(this->index(row, 0), this->index(row, kColumnCount - 1));
    return true;
}

void ChannelTableModel::clearCells(const QModelIndexList& cells)
{
    QModelIndexList sorted = cells;
    std::sort(sorted.begin(), sorted.end());
    TableLines after = table_;
    QStringList told;
    QStringList cleared;
    QStringList done;
    for (const QModelIndex& cell : sorted) {
        const int row = cell.row();
        const Column column = ColumnOf(cell);
        const QString& line = after.lines[row];
        // A cell showing nothing has nothing to clear; lines that are no channel take no edits.
        if (!IsEditableCell(line, column) || CellText(line, column).trimmed().isEmpty())
            continue;
        const QString where = LineName(row) + QStringLiteral(", ") + ColumnTitle(column);
        const ClearedCell empty = ClearedValue(column);
        const CellEdit edit = empty.value ? EditCell(line, column, *empty.value) : CellEdit{std::nullopt, empty.refusal, {}};
        if (!edit.line) {
            told << where + QStringLiteral(": ") + edit.refusal;
            continue;
        }
        if (*edit.line == line)
            continue;
        after.lines[row] = *edit.line;
        cleared << where;
        done << (edit.note.isEmpty() ? where + QStringLiteral(" cleared") : where + QStringLiteral(": ") + edit.note);
    }
    RowChange change{after, sorted.isEmpty() ? -1 : sorted.front().row(), {}, {}, {}};
    change.redone = cleared.size() == 1 ? done.front() : QString::number(cleared.size()) + QStringLiteral(" cells cleared");
    change.undone = cleared.size() == 1 ? cleared.front() + QStringLiteral(" as it was")
                                        : QString::number(cleared.size()) + QStringLiteral(" cells as they were");
    if (!cleared.isEmpty())
        told.prepend(change.redone);
    change.report = told.isEmpty() ? QStringLiteral("Nothing to clear") : told.join(QStringLiteral("; "));
    this->change(cleared.size() == 1 ? QStringLiteral("Clear Cell") : QStringLiteral("Clear Cells"), change,
                 change.row < 0 ? -1 : static_cast<int>(change.row));
}

void ChannelTableModel::insertChannel(int row)
{
    change(QStringLiteral("Insert Channel"), InsertChannel(table_, row), row);
}

void ChannelTableModel::clearChannels(const std::vector<int>& rows)
{
    change(QStringLiteral("Clear Channel"), ClearChannels(table_, {rows.begin(), rows.end()}),
           rows.empty() ? -1 : rows.front());
}

void ChannelTableModel::moveChannel(int row, int direction)
{
    change(direction < 0 ? QStringLiteral("Move Up") : QStringLiteral("Move Down"), MoveChannel(table_, row, direction), row);
}

void ChannelTableModel::sortChannels(SortKey key)
{
    change(key == SortKey::Frequency ? QStringLiteral("Sort by Frequency") : QStringLiteral("Sort by Label"),
           SortChannels(table_, key), -1);
}

void ChannelTableModel::pasteLines(int row, const QStringList& lines, const QStringList& report)
{
    change(QStringLiteral("Paste"), PasteChannels(table_, row, lines, report), row);
}

void ChannelTableModel::pasteText(int row, const QString& text)
{
    const PastedRows rows = RowsOfTsv(text);
    pasteLines(row, rows.lines, rows.report);
}

void ChannelTableModel::takeSettings(const HeldRecords& held)
{
    const SettingsTaken taken = TakeSettings(table_, held);
    const auto rows = [](std::size_t count) {
        return QString::number(count) + (count == 1 ? QStringLiteral(" row") : QStringLiteral(" rows"));
    };
    RowChange change{taken.table, -1, {}, {}, {}};
    change.redone = rows(taken.taken.size()) + QStringLiteral(" took the radio's settings");
    change.undone = rows(taken.taken.size()) + QStringLiteral(" without their settings again");
    QStringList said;
    if (taken.taken.empty() && taken.disagreed.isEmpty())
        said << QStringLiteral("Every channel row carries its settings already: nothing to take");
    else
        said << QStringLiteral("Took the radio's settings for ") + rows(taken.taken.size());
    if (!taken.disagreed.isEmpty()) {
        constexpr qsizetype kNamed = 10;
        QStringList named = taken.disagreed.mid(0, kNamed);
        if (taken.disagreed.size() > kNamed)
            named << QStringLiteral("and ") + QString::number(taken.disagreed.size() - kNamed) + QStringLiteral(" more");
        said << rows(static_cast<std::size_t>(taken.disagreed.size()))
                + (taken.disagreed.size() == 1 ? QStringLiteral(" did not agree with the radio and was left as it is: ")
                                               : QStringLiteral(" did not agree with the radio and were left as they are: "))
                + named.join(QStringLiteral(", "));
    }
    change.report = said.join(QStringLiteral("; "));
    this->change(QStringLiteral("Take Settings from the Radio"), change, -1);
}

void ChannelTableModel::replaceAll(const QStringList& lines, const QString& what)
{
    change(what, RowChange{TableOf(lines), 0, {}, {}, {}}, -1);
}

std::vector<int> ChannelTableModel::rowsWithUnknownSettings() const
{
    std::vector<int> rows;
    for (int row = 0; row < rowCount(); ++row) {
        if (checks_[static_cast<std::size_t>(row)].settingsUnknownOn)
            rows.push_back(row);
    }
    return rows;
}

QStringList ChannelTableModel::linesOf(const std::vector<int>& rows) const
{
    QStringList chosen;
    for (const int row : rows) {
        if (row >= 0 && row < table_.lines.size())
            chosen << table_.lines[row];
    }
    return chosen;
}

std::optional<int> ChannelTableModel::find(const QString& text, int after) const
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty() || table_.lines.isEmpty())
        return std::nullopt;
    const int count = static_cast<int>(table_.lines.size());
    // A frequency is found however it is typed: 7.074, 7074 and 07.074.0 alike.
    const auto frequency = ParseFrequencyEntry(wanted);
    for (int step = 1; step <= count; ++step) {
        const int row = ((after + step) % count + count) % count;
        if (RowKindOf(table_.lines[row]) != RowKind::Channel)
            continue;
        const ChannelRow channel = ChannelRowOf(table_.lines[row]);
        if (channel.label.contains(wanted, Qt::CaseInsensitive) || channel.frequency.startsWith(wanted)
            || (frequency && HzOfZone(channel.frequency) == frequency->hz))
            return row;
    }
    return std::nullopt;
}

void ChannelTableModel::setRadioVerdicts(std::map<int, QString> verdicts)
{
    verdicts_ = std::move(verdicts);
    if (!table_.lines.isEmpty())
        emit dataChanged(index(0, static_cast<int>(Column::Radio)), index(rowCount() - 1, static_cast<int>(Column::Radio)));
}

QString ChannelTableModel::radioVerdict(int row) const
{
    const auto found = verdicts_.find(row);
    return found == verdicts_.end() ? QString() : found->second;
}

void ChannelTableModel::change(const QString& what, const RowChange& change, int rowBefore)
{
    if (change.table == table_) {
        if (!change.report.isEmpty())
            emit message(change.report);
        return;
    }
    undo_.push(new LinesCommand(what, {table_, rowBefore, change.undone}, {change.table, change.row, change.redone},
                                change.report, [this](const TableLines& table, qsizetype row, const QString& said) {
                                    apply(table, row, said);
                                }));
}

void ChannelTableModel::apply(const TableLines& table, qsizetype row, const QString& said)
{
    const bool sameShape = table.lines.size() == table_.lines.size();
    std::vector<std::optional<int>> unknownBefore;
    for (const RowCheck& check : checks_)
        unknownBefore.push_back(check.settingsUnknownOn);
    if (!sameShape)
        beginResetModel();
    table_ = table;
    checks_ = CheckLines(table_);
    verdicts_.clear();
    if (!sameShape) {
        notes_.clear();
        endResetModel();
    } else if (!table_.lines.isEmpty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
    }
    if (row >= 0)
        emit currentRowChanged(static_cast<int>(row));
    // Rows that now stand on another channel without their settings are told at once.
    std::vector<int> newlyUnknown;
    for (std::size_t at = 0; at < checks_.size(); ++at) {
        const auto channel = checks_[at].settingsUnknownOn;
        if (channel && (!sameShape || unknownBefore[at] != channel))
            newlyUnknown.push_back(*channel);
    }
    std::sort(newlyUnknown.begin(), newlyUnknown.end());
    QStringList told;
    if (!said.isEmpty())
        told << said;
    if (const QString unknown = SettingsUnknownSummary(newlyUnknown); !unknown.isEmpty())
        told << unknown;
    if (!told.isEmpty())
        emit message(told.join(QStringLiteral("; ")));
}

}  // namespace talvex::editor
