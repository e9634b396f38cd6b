#include "data_line.h"

namespace talvex {

namespace {

QString FieldText(const ZoneField& field)
{
    if (const int* number = std::get_if<int>(&field))
        return (*number < 0 ? QString() : QStringLiteral(" ")) + QString::number(*number)
            + QStringLiteral(" ");
    return std::get<QString>(field);
}

}  // namespace

QString FormatDataLine(std::initializer_list<ZoneField> fields)
{
    QString line;
    int index = 0;
    const int count = static_cast<int>(fields.size());
    for (const ZoneField& field : fields) {
        line += FieldText(field);
        ++index;
        if (index == count)
            break;
        // Move to the start of the next zone that lies beyond what has been written.
        const int written = static_cast<int>(line.size());
        const int nextZoneStart = (written / kZoneWidth + 1) * kZoneWidth;
        line = line.leftJustified(nextZoneStart, u' ');
    }
    return line;
}

QString Columns(const QString& line, int first, int last)
{
    if (first < 1 || last < first || first > line.size())
        return {};
    return line.mid(first - 1, last - first + 1);
}

}  // namespace talvex
