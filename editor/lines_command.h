#pragma once

#include <QStringList>
#include <QUndoCommand>

#include <functional>

namespace talvex::editor {

// One change of the table, undone and redone as the whole list of lines before and after it:
// a data file is a few kilobytes, and a snapshot cannot drift from what a sort or a paste did.
class LinesCommand final : public QUndoCommand {
public:
    using Apply = std::function<void(const QStringList& lines, qsizetype currentRow)>;
    LinesCommand(const QString& text, QStringList before, QStringList after, qsizetype rowBefore, qsizetype rowAfter,
                 Apply apply)
        : QUndoCommand(text), before_(std::move(before)), after_(std::move(after)), rowBefore_(rowBefore),
          rowAfter_(rowAfter), apply_(std::move(apply))
    {
    }
    void undo() override { apply_(before_, rowBefore_); }
    void redo() override { apply_(after_, rowAfter_); }

private:
    QStringList before_;
    QStringList after_;
    qsizetype rowBefore_;
    qsizetype rowAfter_;
    Apply apply_;
};

}  // namespace talvex::editor
