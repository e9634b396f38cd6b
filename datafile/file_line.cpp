#include "datafile/file_line.h"

#include "datafile/data_line.h"

#include <QRegularExpression>

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

bool IsPrintableLabel(const QString& label)
{
    for (const QChar c : label) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    }
    return true;
}

}  // namespace talvex
