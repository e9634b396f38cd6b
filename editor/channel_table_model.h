#pragma once

#include "editor/editor_columns.h"
#include "editor/radio_settings.h"
#include "editor/row_checks.h"
#include "editor/row_operations.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QUndoStack>

#include <map>
#include <optional>
#include <vector>

namespace talvex::editor {

// The data file as a table: one row a line of the file, in file order. Lines that are no
// channel show whole in the first column and take no edits. Every change goes through the
// undo stack as a LinesCommand, and every change is checked at once. A line no command
// touched is saved exactly as it was read.
class ChannelTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChannelTableModel(QObject* parent = nullptr);

    // A fresh file: nothing to undo, and nothing unsaved.
    void load(const QStringList& lines);
    const QStringList& lines() const { return table_.lines; }
    // The lines with the channel each one's contents were read on.
    const TableLines& table() const { return table_; }
    QUndoStack& undoStack() { return undo_; }
    bool isModified() const { return !undo_.isClean(); }
    void markSaved() { undo_.setClean(); }

    const RowCheck& checkOf(int row) const { return checks_.at(static_cast<std::size_t>(row)); }
    // What Update Rig will skip or refuse, in one sentence; "" when nothing.
    QString refusalSummary() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A typed value: taken through the undo stack, or refused with its reason told.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Delete: each cell its column's empty or off value (ClearedValue), one undo step.
    void clearCells(const QModelIndexList& cells);

    // The row commands; each one undo step. `rows` are the rows chosen, any order.
    void insertChannel(int row);
    void clearChannels(const std::vector<int>& rows);
    void moveChannel(int row, int direction);
    void sortChannels(SortKey key);
    void pasteLines(int row, const QStringList& lines, const QStringList& report = {});
    void pasteText(int row, const QString& text);
    // Take Settings from the Radio, with what the radio was read to hold: one undo step.
    void takeSettings(const HeldRecords& held);
    // The whole file replaced (an import), one undo step.
    void replaceAll(const QStringList& lines, const QString& what);

    // Rows without a record standing on another channel than the one they were read on.
    std::vector<int> rowsWithUnknownSettings() const;

    // The chosen rows' lines, for the clipboard.
    QStringList linesOf(const std::vector<int>& rows) const;

    // The next row from `after` (wrapping) whose label or frequency holds `text`.
    std::optional<int> find(const QString& text, int after) const;

    // What the radio was found to hold, a text a row; cleared by any change of the lines.
    void setRadioVerdicts(std::map<int, QString> verdicts);
    QString radioVerdict(int row) const;

signals:
    // What the operator should hear: a refusal, a note on a value taken, a command's report.
    void message(const QString& text);
    // After a command or its undo: the row to make current.
    void currentRowChanged(int row);

private:
    void change(const QString& what, const RowChange& change, int rowBefore);
    void apply(const TableLines& table, qsizetype row, const QString& said);

    TableLines table_;
    std::vector<RowCheck> checks_;
    std::map<int, QString> notes_;     // the note of the last value typed into a row
    std::map<int, QString> verdicts_;  // Compare with Radio's findings
    QUndoStack undo_;
};

}  // namespace talvex::editor
