#pragma once

// The text layer of the list files: bytes to text (UTF-8 with or without its byte-order mark)
// and text to rows of fields, with quoted fields that hold separators, quotes and line ends.
// Both line ends, CR LF and LF, end a row.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace talvex::channels {

struct DecodedText {
    QString text;
    bool valid = true;  // false: bytes that are not UTF-8 were replaced
};

// UTF-8, the byte-order mark dropped when there is one.
DecodedText DecodeUtf8(const QByteArray& bytes);
// UTF-8, or Latin-1 when the bytes are not UTF-8 (older schedule files are Latin-1).
QString DecodeUtf8OrLatin1(const QByteArray& bytes);

struct TextRow {
    int line = 0;  // the file line the row starts on, from 1
    QStringList fields;
};

// How a field that starts with a quote is read: as CSV's quoted field (which may hold
// separators and line ends), or as plain text, for EiBi's schedules, which never quote: there
// a station name that starts with an unmatched quote must not swallow the rows after it.
enum class Quotes { Csv, Plain };

// The rows of `text`; an empty line gives no row.
std::vector<TextRow> SplitRows(const QString& text, QChar separator, Quotes quotes = Quotes::Csv);

// One row as CSV: fields quoted when they hold a comma, a quote or a line end; CR LF after it.
QString CsvRowText(const QStringList& fields);

// UTF-8 without a byte-order mark, as CHIRP writes its files.
QByteArray EncodeUtf8(const QString& text);

}  // namespace talvex::channels
