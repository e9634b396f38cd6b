#include "datafile/file_line.h"

#include "datafile/data_line.h"
#include "datafile/record_zone.h"

#include "link/radio_model.h"

#include <QRegularExpression>

#include <algorithm>

namespace talvex {

QString WithoutBlanks(QString text)
{
    text.remove(u' ');
    return text;
}

LineDisplay DisplayOf(const QString& line)
{
    LineDisplay shown;
    shown.channel = Columns(line, 2, 4);
    shown.frequency = Columns(line, 15, 22);
    shown.mode = WithoutBlanks(Columns(line, 29, 42));
    shown.filter = Columns(line, 43, 47);
    shown.select = Columns(line, 57, 57);
    if (shown.select == u"Y")
        shown.select = QStringLiteral("*");
    shown.label = Columns(line, 71, 82);
    return shown;
}

LineKind KindOf(const QString& line)
{
    if (Columns(line, 2, 4) == u"END" || Columns(line, 1, 3) == u"END")
        return LineKind::End;
    if (line.startsWith(u'*'))
        return LineKind::Comment;
    const QString head = line.left(3);
    if (head.count(u' ') == head.size())  // an empty line too: it has no channel to act on
        return LineKind::Blank;
    return LineKind::Channel;
}

QString ChannelTextOf(const QString& line)
{
    return Columns(line, 4, 4) == u" " ? Columns(line, 2, 3) : Columns(line, 2, 4);
}

bool IsEmptyFrequency(const QString& field)
{
    for (const QChar c : field) {
        if (c != u' ' && c != u'.')
            return false;
    }
    return true;
}

std::optional<QString> FrequencyDigitsOf(const QString& field)
{
    static const QRegularExpression shape(QStringLiteral("^ *(\\d{1,2})\\.(\\d{3})\\.(\\d) *$"));
    const auto match = shape.match(field);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).rightJustified(2, u'0') + match.captured(2) + match.captured(3);
}

std::optional<QString> StrayCharactersOf(const QString& line)
{
    // Columns no reader takes: before the channel, after each field up to the next zone, and
    // past the label up to the whole-record zone. "Fil " and "Yes" are written whole, so their
    // unread letters belong to their fields.
    struct Gap {
        int first;
        int last;
        QString belongsTo;
    };
    const int labelEnd = 70 + kRadio.labelLength;
    const Gap gaps[] = {
        {1, 1, QStringLiteral("the channel starts at column 2")},
        {5, 14, QStringLiteral("the frequency starts at column 15")},
        {23, 28, QStringLiteral("the mode starts at column 29")},
        {48, 56, QStringLiteral("the select mark starts at column 57")},
        {60, 70, QStringLiteral("the label starts at column 71")},
        {labelEnd + 1, 84,
         QStringLiteral("a label has at most %1 characters, columns 71-%2").arg(kRadio.labelLength).arg(labelEnd)},
    };
    const auto stray = [&line](int first, int last, const QString& why) -> std::optional<QString> {
        const QString gap = Columns(line, first, last);
        const qsizetype at = gap.indexOf(QRegularExpression(QStringLiteral("\\S")));
        if (at < 0)
            return std::nullopt;
        // A few characters are enough to find the place; a long run is cut.
        constexpr qsizetype kShown = 12;
        QString text = gap.mid(at).trimmed();
        if (text.size() > kShown)
            text = text.left(kShown) + QStringLiteral("...");
        return u'"' + text + QStringLiteral("\" in column ") + QString::number(first + at) + QStringLiteral(" (") + why
            + u')';
    };
    for (const Gap& gap : gaps) {
        if (auto found = stray(gap.first, gap.last, gap.belongsTo))
            return found;
    }
    const QString filterWord = Columns(line, 43, 46);
    if (!filterWord.trimmed().isEmpty() && filterWord != u"Fil ")
        return stray(43, 46, QStringLiteral("the filter is written \"Fil 1\" to \"Fil %1\"").arg(kRadio.filters));
    const QString recordZone = Columns(line, 85, static_cast<int>(line.size()));
    if (!recordZone.trimmed().isEmpty() && !RecordZoneOf(line))
        return stray(85, static_cast<int>(line.size()), QStringLiteral("column 85 holds only a whole record, 82 hexadecimal digits"));
    return std::nullopt;
}

bool IsPrintableLabel(const QString& label)
{
    return std::all_of(label.begin(), label.end(), [](QChar c) { return kRadio.holdsLabelCharacter(c.unicode()); });
}

}  // namespace talvex
