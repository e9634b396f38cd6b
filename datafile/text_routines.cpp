#include "text_routines.h"

namespace talvex {

void UpperCase(QString& text)
{
    for (QChar& c : text) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    }
}

namespace {

qsizetype LastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
}

}  // namespace

QString UpperFileName(const QString& path)
{
    QString name = path.mid(LastSeparator(path) + 1);
    UpperCase(name);
    return name;
}

QString AddTxtExtension(const QString& name)
{
    // A three-letter extension is the only one the program recognises; anything else, a
    // shorter or longer extension included, gets ".txt" after it.
    if (name.size() >= 4 && name.at(name.size() - 4) == u'.')
        return name;
    return name + QStringLiteral(".txt");
}

bool IsBareName(const QString& name)
{
    if (name.size() > 12)
        return false;
    return !name.contains(u'\\') && !name.contains(u'/') && !name.contains(u':');
}

}  // namespace talvex
