#include "printable.h"

#include <QJsonDocument>

namespace talvex::cli {

namespace {

bool IsControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

QString Hex(char16_t c, const char* prefix)
{
    return QLatin1String(prefix) + QStringLiteral("%1").arg(static_cast<int>(c), 2, 16, QChar(u'0'));
}

}  // namespace

QString Printable(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text)
        shown += IsControl(c.unicode()) ? Hex(c.unicode(), "\\x") : QString(c);
    return shown;
}

QString PrintableLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += Printable(line) + u'\n';
    return text;
}

QByteArray JsonText(const QJsonObject& object)
{
    const QString json = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    QString escaped;
    escaped.reserve(json.size());
    for (const QChar c : json)
        escaped += c.unicode() >= 0x7F && c.unicode() <= 0x9F ? Hex(c.unicode(), "\\u00") : QString(c);
    return escaped.toUtf8();
}

}  // namespace talvex::cli
