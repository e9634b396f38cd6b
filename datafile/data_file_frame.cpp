#include "datafile/data_file_frame.h"

#include "datafile/data_line.h"

namespace talvex {

namespace {

QString HeadingLine()
{
    return FormatDataLine({QStringLiteral(" Ch#"), QStringLiteral("Freq..:."), QStringLiteral("Mode"),
                           QStringLiteral("Fil #"), QStringLiteral("      "), QStringLiteral("Label.....")});
}

QString EmptyLine() { return FormatDataLine({QString(), QString(), QString(), QString(), QString(), QString()}); }

}  // namespace

QStringList DataFileHead(const QString& title)
{
    return {FormatDataLine({QString(), QString(), QString(), QString(), QString(), title}), HeadingLine(),
            EmptyLine()};
}

QStringList DataFileTail()
{
    return {EmptyLine(), HeadingLine(), EmptyLine(),
            FormatDataLine({QStringLiteral(" END"), QString(), QString(), QString(), QString(), QString()})};
}

}  // namespace talvex
