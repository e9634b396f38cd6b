#pragma once

#include <QString>

#include <initializer_list>

namespace talvex {

// "Error Code n ... piece ... piece": how every failure the operator sees is told, the number
// first and each further piece after " ... ".
inline QString ErrorCodeText(int number, std::initializer_list<QString> pieces)
{
    QString text = QStringLiteral("Error Code ") + QString::number(number);
    for (const QString& piece : pieces)
        text += QStringLiteral(" ... ") + piece;
    return text;
}

// The same for a file or port failure: its number and the system's own words, then `more`.
template <typename Error>
QString ErrorCodeText(const Error& error, std::initializer_list<QString> more = {})
{
    QString text = ErrorCodeText(error.number, {error.description});
    for (const QString& piece : more)
        text += QStringLiteral(" ... ") + piece;
    return text;
}

}  // namespace talvex
