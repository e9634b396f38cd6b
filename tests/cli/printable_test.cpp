// What talvex-mem prints of text that came from files or the radio: no control character reaches
// the terminal as it is, in plain text or in JSON.
#include "cli/printable.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

namespace talvex::cli {
namespace {

TEST(Printable, EachControlCharacterIsWrittenAsItsHexCode)
{
    const struct {
        QString text;
        const char* shown;
    } rows[] = {
        {QStringLiteral("FT8 20M"), "FT8 20M"},
        {QString::fromUtf16(u"A\u001b[2JB"), "A\\x1b[2JB"},
        {QString::fromUtf16(u"\u0007bell"), "\\x07bell"},
        {QString(QChar(u'\0')) + QStringLiteral("nul"), "\\x00nul"},
        {QString::fromUtf16(u"tab\there\r\n"), "tab\\x09here\\x0d\\x0a"},
        {QString::fromUtf16(u"del\u007f c1\u009b end\u009f"), "del\\x7f c1\\x9b end\\x9f"},
        {QString::fromUtf16(u"Z\u00fcrich \u00a0\u00ff"), "Z\xc3\xbcrich \xc2\xa0\xc3\xbf"},  // printable, kept
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shown);
        EXPECT_EQ(Printable(row.text).toUtf8(), QByteArray(row.shown));
    }
    EXPECT_EQ(PrintableLines({QStringLiteral("a\nb"), QStringLiteral("c")}), QStringLiteral("a\\x0ab\nc\n"));
}

TEST(Printable, JsonCarriesTheTextWholeWithNoRawControlByte)
{
    const QString name = QString::fromUtf16(u"A\u001bB\u0007C\u007fD\u009bE");
    const QByteArray json = JsonText(QJsonObject{{QStringLiteral("name"), name}});
    for (const char c : json)
        EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << int(c);
    EXPECT_FALSE(json.contains("\x7f") || json.contains("\xc2\x9b"));
    EXPECT_EQ(QJsonDocument::fromJson(json).object().value("name").toString(), name);
}

}  // namespace
}  // namespace talvex::cli
