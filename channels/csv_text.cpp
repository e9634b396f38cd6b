#include "channels/csv_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace talvex::channels {

DecodedText DecodeUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);  // drops the BOM
    DecodedText decoded;
    decoded.text = decoder.decode(bytes);
    decoded.valid = !decoder.hasError();
    return decoded;
}

QString DecodeUtf8OrLatin1(const QByteArray& bytes)
{
    DecodedText decoded = DecodeUtf8(bytes);
    if (decoded.valid)
        return decoded.text;
    QStringDecoder latin1(QStringDecoder::Latin1);
    return latin1.decode(bytes);
}

std::vector<TextRow> SplitRows(const QString& text, QChar separator, Quotes quotes)
{
    std::vector<TextRow> rows;
    TextRow row;
    QString field;
    bool quoted = false;
    bool rowHasText = false;
    int line = 1;
    row.line = 1;
    auto endRow = [&] {
        if (rowHasText) {
            row.fields << field;
            rows.push_back(std::move(row));
        }
        row = TextRow{};
        row.line = line;
        field.clear();
        rowHasText = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;  // the LF that follows ends the row
        if (c == u'\n' || c == u'\r') {
            ++line;
            endRow();
        } else if (c == separator) {
            row.fields << field;
            field.clear();
            rowHasText = true;
        } else if (c == u'"' && field.isEmpty() && quotes == Quotes::Csv) {
            quoted = true;
            rowHasText = true;
        } else {
            field += c;
            rowHasText = true;
        }
    }
    endRow();
    return rows;
}

QString CsvRowText(const QStringList& fields)
{
    QStringList written;
    for (const QString& field : fields) {
        const bool quote = field.contains(u',') || field.contains(u'"') || field.contains(u'\n') || field.contains(u'\r');
        written << (quote ? u'"' + QString(field).replace(u'"', QStringLiteral("\"\"")) + u'"' : field);
    }
    return written.join(u',') + QStringLiteral("\r\n");
}

QByteArray EncodeUtf8(const QString& text)
{
    QStringEncoder encoder(QStringEncoder::Utf8);
    return encoder.encode(text);
}

}  // namespace talvex::channels
