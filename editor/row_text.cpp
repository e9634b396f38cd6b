#include "editor/row_text.h"

#include "editor/cell_edit.h"
#include "editor/editor_row.h"
#include "link/bcd.h"
#include "link/radio_model.h"

namespace talvex::editor {

namespace {

constexpr int kTextColumns = static_cast<int>(Column::Checks);  // every column but the checks

bool HasControlCharacters(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

}  // namespace

QString TsvOfLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) {
        if (RowKindOf(line) != RowKind::Channel)
            continue;
        QStringList cells;
        for (int column = 0; column < kTextColumns; ++column)
            cells << CellText(line, static_cast<Column>(column)).trimmed();
        text += cells.join(u'\t') + u'\n';
    }
    return text;
}

PastedRows RowsOfTsv(const QString& text)
{
    PastedRows pasted;
    if (text.size() > kLargestPaste) {
        pasted.report << QStringLiteral("the text is larger than 1 MB: no list of channels, nothing pasted");
        return pasted;
    }
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList rows = normalized.split(u'\n');
    int number = 0;
    qsizetype unread = 0;
    for (const QString& row : rows) {
        ++number;
        if (row.trimmed().isEmpty())
            continue;
        // A paste fills at most the radio's channels: rows past that are counted, not read.
        if (pasted.lines.size() >= kRadio.lastChannel) {
            ++unread;
            continue;
        }
        const auto leftOut = [&pasted, number](const QString& why) {
            pasted.report << QStringLiteral("row ") + QString::number(number) + QStringLiteral(": ") + why;
        };
        const QStringList cells = row.split(u'\t');
        if (cells.size() > kTextColumns)
            leftOut(QString::number(cells.size() - kTextColumns) + QStringLiteral(" columns past the table's ")
                    + QString::number(kTextColumns) + QStringLiteral(" ignored"));
        // The first cell is the channel the row came from, and the row goes back there; a row
        // naming none is numbered 0 and goes where the cursor is.
        ChannelRow start;
        const auto own = WholeNumberIn(cells[0].trimmed(), kRadio.firstChannel, kRadio.lastChannel);
        start.channel = QString::number(own.value_or(0));
        QString line = LineOfRow(start);
        bool refused = false;
        for (int column = 1; column < std::min<int>(static_cast<int>(cells.size()), kTextColumns) && !refused; ++column) {
            const QString cell = cells[column].trimmed();
            const auto which = static_cast<Column>(column);
            // Empty record cells: the row carries no record, or keeps the default.
            if (cell.isEmpty() || which == Column::Split)
                continue;
            if (HasControlCharacters(cell)) {
                leftOut(ColumnTitle(which) + QStringLiteral(" has control characters: left out"));
                refused = true;
                break;
            }
            const CellEdit edit = EditCell(line, which, cell);
            if (!edit.line) {
                leftOut(edit.refusal + QStringLiteral(": left out"));
                refused = true;
                break;
            }
            line = *edit.line;
            if (!edit.note.isEmpty() && which != Column::Channel && !edit.note.startsWith(QStringLiteral("the line now")))
                leftOut(edit.note);
        }
        if (refused)
            continue;
        pasted.lines << line;
    }
    if (unread > 0)
        pasted.report << QString::number(unread) + QStringLiteral(" rows after the first ")
                + QString::number(kRadio.lastChannel) + QStringLiteral(" channels not read");
    return pasted;
}

QByteArray LinesPayload(const QStringList& lines) { return lines.join(u'\n').toLatin1(); }

QStringList LinesOfPayload(const QByteArray& payload)
{
    QStringList lines;
    for (const QString& line : QString::fromLatin1(payload).split(u'\n')) {
        if (RowKindOf(line) == RowKind::Channel)
            lines << line;
    }
    return lines;
}

}  // namespace talvex::editor
