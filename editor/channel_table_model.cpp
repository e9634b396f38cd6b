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

void ChannelTableModel::load(QStringList lines)
{
    beginResetModel();
    lines_ = std::move(lines);
    checks_ = CheckLines(lines_);
    notes_.clear();
    verdicts_.clear();
    endResetModel();
    undo_.clear();
    undo_.setClean();
}

QString ChannelTableModel::refusalSummary() const { return RefusalSummary(lines_, checks_); }

int ChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const Column column = ColumnOf(index);
    const QString& line = lines_[row];
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
    if (IsEditableCell(lines_[index.row()], ColumnOf(index)))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const int row = index.row();
    const Column column = ColumnOf(index);
    const CellEdit edit = EditCell(lines_[row], column, value.toString());
    if (!edit.line) {
        emit message(LineName(row) + QStringLiteral(", ") + ColumnTitle(column) + QStringLiteral(": ") + edit.refusal);
        return false;
    }
    if (*edit.line != lines_[row]) {
        QStringList after = lines_;
        after[row] = *edit.line;
        change(ColumnTitle(column) + QStringLiteral(" of line ") + QString::number(row + 1), RowChange{after, row, {}}, row);
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

void ChannelTableModel::insertChannel(int row)
{
    change(QStringLiteral("Insert Channel"), InsertChannel(lines_, row), row);
}

void ChannelTableModel::clearChannels(const std::vector<int>& rows)
{
    change(QStringLiteral("Clear Channel"), ClearChannels(lines_, {rows.begin(), rows.end()}),
           rows.empty() ? -1 : rows.front());
}

void ChannelTableModel::moveChannel(int row, int direction)
{
    change(direction < 0 ? QStringLiteral("Move Up") : QStringLiteral("Move Down"), MoveChannel(lines_, row, direction), row);
}

void ChannelTableModel::sortChannels(SortKey key)
{
    change(key == SortKey::Frequency ? QStringLiteral("Sort by Frequency") : QStringLiteral("Sort by Label"),
           SortChannels(lines_, key), -1);
}

void ChannelTableModel::pasteLines(int row, const QStringList& lines, const QStringList& report)
{
    change(QStringLiteral("Paste"), PasteChannels(lines_, row, lines, report), row);
}

void ChannelTableModel::pasteText(int row, const QString& text)
{
    const PastedRows rows = RowsOfTsv(text);
    pasteLines(row, rows.lines, rows.report);
}

void ChannelTableModel::replaceAll(const QStringList& lines, const QString& what)
{
    change(what, RowChange{lines, 0, {}}, -1);
}

QStringList ChannelTableModel::linesOf(const std::vector<int>& rows) const
{
    QStringList chosen;
    for (const int row : rows) {
        if (row >= 0 && row < lines_.size())
            chosen << lines_[row];
    }
    return chosen;
}

std::optional<int> ChannelTableModel::find(const QString& text, int after) const
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty() || lines_.isEmpty())
        return std::nullopt;
    const int count = static_cast<int>(lines_.size());
    // A frequency is found however it is typed: 7.074, 7074 and 07.074.0 alike.
    const auto frequency = ParseFrequencyEntry(wanted);
    for (int step = 1; step <= count; ++step) {
        const int row = ((after + step) % count + count) % count;
        if (RowKindOf(lines_[row]) != RowKind::Channel)
            continue;
        const ChannelRow channel = ChannelRowOf(lines_[row]);
        if (channel.label.contains(wanted, Qt::CaseInsensitive) || channel.frequency.startsWith(wanted)
            || (frequency && HzOfZone(channel.frequency) == frequency->hz))
            return row;
    }
    return std::nullopt;
}

void ChannelTableModel::setRadioVerdicts(std::map<int, QString> verdicts)
{
    verdicts_ = std::move(verdicts);
    if (!lines_.isEmpty())
        emit dataChanged(index(0, static_cast<int>(Column::Radio)), index(rowCount() - 1, static_cast<int>(Column::Radio)));
}

QString ChannelTableModel::radioVerdict(int row) const
{
    const auto found = verdicts_.find(row);
    return found == verdicts_.end() ? QString() : found->second;
}

void ChannelTableModel::change(const QString& what, const RowChange& change, int rowBefore)
{
    if (!change.report.isEmpty())
        emit message(change.report);
    if (change.lines == lines_)
        return;
    undo_.push(new LinesCommand(what, lines_, change.lines, rowBefore, change.row,
                                [this](const QStringList& lines, qsizetype row) { apply(lines, row); }));
}

void ChannelTableModel::apply(const QStringList& lines, qsizetype row)
{
    const bool sameShape = lines.size() == lines_.size();
    if (!sameShape)
        beginResetModel();
    lines_ = lines;
    checks_ = CheckLines(lines_);
    verdicts_.clear();
    if (!sameShape) {
        notes_.clear();
        endResetModel();
    } else if (!lines_.isEmpty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
    }
    if (row >= 0)
        emit currentRowChanged(static_cast<int>(row));
}

}  // namespace talvex::editor
