#pragma once

#include "editor/editor_columns.h"

#include <QStyledItemDelegate>

namespace talvex::editor {

// The editors of the table's cells: a list for every column with fixed choices (mode, filter,
// select, data mode, tone type, the 50 tones, split, group), a line with a validator for the
// typed ones (frequency, label, channel). What is typed is checked as it is typed, and the
// finding is told through `typing` (the window shows it on the status line). Enter takes the
// value and tells `enterPressed`, Tab takes it and edits the next cell; a value refused stays
// in its editor.
class CellDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    // `model` is the one the view shows: Enter and Tab put an editor's value into it themselves.
    CellDelegate(QAbstractItemModel& model, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

signals:
    void typing(const QString& finding) const;
    // Enter took the value of a cell's editor: the view goes down a row.
    void enterPressed();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QWidget* makeEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    // The editor's value put into its cell: false when the cell refused it (the model says why).
    bool taken(QWidget* editor) const;

    QAbstractItemModel& model_;
};

// What a typed value will be, as it is typed: "14.074.0", "digits past 100 Hz are cut ...",
// "Label: 7 of 10 characters".
QString TypingFinding(Column column, const QString& text);

}  // namespace talvex::editor
