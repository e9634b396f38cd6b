#pragma once

#include "editor/table_lines.h"

#include <QUndoCommand>

#include <functional>

namespace talvex::editor {

// One change of the table, undone and redone as the whole table before and after it: a data
// file is a few kilobytes, and a snapshot cannot drift from what a sort or a paste did. Each
// way says what it did, for the status line: the report when first done, then "Undid Move
// Down: channel 17 back to 17" and "Redid Move Down: channel 17 down to 18".
class LinesCommand final : public QUndoCommand {
public:
    struct Side {
        TableLines table;
        qsizetype row = -1;  // the row made current
        QString said;        // what the operator hears after "Undid ...: " or "Redid ...: "
    };
    using Apply = std::function<void(const TableLines& table, qsizetype currentRow, const QString& said)>;
    LinesCommand(const QString& text, Side before, Side after, QString report, Apply apply)
        : QUndoCommand(text), before_(std::move(before)), after_(std::move(after)), report_(std::move(report)),
          apply_(std::move(apply))
    {
    }
    void undo() override { apply_(before_.table, before_.row, Said(QStringLiteral("Undid "), before_.said)); }
    void redo() override
    {
        // The first redo is the command being done: its report says more than a redo would.
        apply_(after_.table, after_.row, done_ ? Said(QStringLiteral("Redid "), after_.said) : report_);
        done_ = true;
    }

private:
    QString Said(const QString& how, const QString& what) const
    {
        return how + text() + (what.isEmpty() ? QString() : QStringLiteral(": ") + what);
    }

    Side before_;
    Side after_;
    QString report_;
    Apply apply_;
    bool done_ = false;
};

}  // namespace talvex::editor
