#include "editor/window/cell_delegate.h"

#include "datafile/file_line.h"
#include "editor/cell_edit.h"
#include "editor/frequency_entry.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QRegularExpressionValidator>

#include <optional>

namespace talvex::editor {

namespace {

QStringList ChoicesOf(Column column)
{
    switch (column) {
    case Column::Mode:
    case Column::TxMode: return ModeChoices();
    case Column::Filter: return FilterChoices();
    case Column::Select: return SelectChoices();
    case Column::DataMode: return DataModeChoices();
    case Column::ToneType: return ToneTypeChoices();
    case Column::RepeaterTone:
    case Column::SquelchTone: return ToneChoices();
    case Column::Split: return SplitChoices();
    case Column::SelectGroup: return GroupChoices();
    default: return {};
    }
}

QString TypedPattern(Column column)
{
    switch (column) {
    case Column::Frequency:
    // A comma too: it is a decimal comma, or a mistake the entry names; never a key dropped
    // silently, which made 29,64 into 2964.
    case Column::TxFrequency: return QStringLiteral("\\s*[\\d.,]{0,20}\\s*");
    // Single-byte text only: the data file holds nothing else.
    case Column::Label: return QStringLiteral("[\\x20-\\x7E\\xA0-\\xFF]{0,%1}").arg(LabelLength());
    case Column::Channel: return QStringLiteral("\\s*\\d{0,3}\\s*");
    default: return QStringLiteral(".*");
    }
}

// The cell an editor edits, kept on the editor itself.
const char* const kCellProperty = "talvexCell";

QString EditorText(QWidget* editor)
{
    if (auto* list = qobject_cast<QComboBox*>(editor))
        return list->currentText();
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        return line->text();
    return {};
}

QString EmptyChoiceName(Column column)
{
    return column == Column::Select ? QStringLiteral("not selected") : QStringLiteral("no group");
}

}  // namespace

QString TypingFinding(Column column, const QString& text)
{
    switch (column) {
    case Column::Frequency:
    case Column::TxFrequency: {
        if (text.trimmed().isEmpty())
            return column == Column::Frequency ? QStringLiteral("no frequency: the channel will be cleared")
                                               : QStringLiteral("no transmit frequency: the channel will not be split");
        const auto entry = ParseFrequencyEntry(text);
        if (!entry)
            return QStringLiteral("not yet a frequency: ") + FrequencyRefusal(text);
        QString finding = FrequencyZoneText(entry->hz);
        if (entry->cut)
            finding += QStringLiteral(": ") + CutMessage(*entry);
        if (const QString outside = RangeRefusal(entry->hz); !outside.isEmpty())
            finding += QStringLiteral(": ") + outside;
        return finding;
    }
    case Column::Label: {
        QString finding = QStringLiteral("Label: ") + QString::number(text.size()) + QStringLiteral(" of ") + QString::number(LabelLength())
            + QStringLiteral(" characters");
        if (!IsPrintableLabel(text))
            finding += QStringLiteral(": it has characters the radio cannot show, Update Rig will skip the line");
        return finding;
    }
    default: return {};
    }
}

CellDelegate::CellDelegate(QAbstractItemModel& model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QWidget* editor = makeEditor(parent, option, index);
    editor->setProperty(kCellProperty, QVariant::fromValue(QPersistentModelIndex(index)));
    return editor;
}

QWidget* CellDelegate::makeEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const auto column = static_cast<Column>(index.column());
    const QString name = ColumnTitle(column);
    if (const QStringList choices = ChoicesOf(column); !choices.isEmpty()) {
        auto* list = new QComboBox(parent);
        list->addItems(choices);
        // An empty choice is said by what it means, not as nothing.
        for (int i = 0; i < choices.size(); ++i) {
            if (choices[i].isEmpty())
                list->setItemData(i, EmptyChoiceName(column), Qt::AccessibleTextRole);
        }
        list->setAccessibleName(name);
        list->setAccessibleDescription(ColumnDescription(column));
        return list;
    }
    auto* line = new QLineEdit(parent);
    line->setAccessibleName(name);
    line->setAccessibleDescription(ColumnDescription(column));
    line->setValidator(new QRegularExpressionValidator(QRegularExpression(TypedPattern(column)), line));
    if (column == Column::Label)
        line->setMaxLength(LabelLength());
    connect(line, &QLineEdit::textEdited, this, [this, column](const QString& text) {
        if (const QString finding = TypingFinding(column, text); !finding.isEmpty())
            emit typing(finding);
    });
    return line;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString value = index.data(Qt::EditRole).toString();
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        const int at = list->findText(value.trimmed());
        list->setCurrentIndex(at < 0 ? 0 : at);
        return;
    }
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        QString shown = value;
        while (static_cast<Column>(index.column()) == Column::Label && shown.endsWith(u' '))
            shown.chop(1);  // the blanks that pad a label to ten are not the operator's
        line->setText(shown);
        if (const QString finding = TypingFinding(static_cast<Column>(index.column()), line->text()); !finding.isEmpty())
            emit typing(finding);
    }
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event)
{
    // Enter takes the value and goes down a row, as in a spreadsheet; Tab and Shift+Tab take it
    // and edit the next or previous cell. A value the cell cannot take is refused by name and
    // stays in the editor to be put right: what was typed is never dropped. An open list takes
    // its Enter itself, to pick the item.
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor == nullptr || event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(object, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    std::optional<QAbstractItemDelegate::EndEditHint> hint;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier)
        hint = QAbstractItemDelegate::NoHint;
    else if (key->key() == Qt::Key_Tab && modifiers == Qt::NoModifier)
        hint = QAbstractItemDelegate::EditNextItem;
    else if (key->key() == Qt::Key_Backtab && (modifiers & ~Qt::ShiftModifier) == Qt::NoModifier)
        hint = QAbstractItemDelegate::EditPreviousItem;
    if (!hint)
        return QStyledItemDelegate::eventFilter(object, event);
    if (!taken(editor))
        return true;
    emit closeEditor(editor, *hint);
    if (*hint == QAbstractItemDelegate::NoHint)
        emit enterPressed();
    return true;
}

bool CellDelegate::taken(QWidget* editor) const
{
    const auto cell = editor->property(kCellProperty).value<QPersistentModelIndex>();
    return !cell.isValid() || model_.setData(cell, EditorText(editor), Qt::EditRole);
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    model->setData(index, EditorText(editor), Qt::EditRole);
}

}  // namespace talvex::editor
