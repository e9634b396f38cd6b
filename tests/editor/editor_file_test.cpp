// Load, edit and save: the file on disk changes in the edited cells' lines and nowhere else.
#include "editor/editor_file.h"

#include "editor/channel_table_model.h"
#include "editor/editor_row.h"
#include "editor_lines.h"
#include "platform/text_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace talvex::editor {
namespace {

using testing::Channel;

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Bytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

class EditorFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        original = testing::CreateFileLines(
            {Channel(1, "01.840.0", "USB", 2, false, "FT8 160M"),
             WithRecordZone(Channel(2, "14.074.0", "USB", 2, true, "FT8 CALL"), *MemoryRecord::from(testing::RichRecord(2))),
             Channel(3, "07.074.0", "USB", 2, false, "FT8 40M")});
        original.insert(3, QStringLiteral("* a comment the operator wrote \t with a tab"));
        ASSERT_FALSE(WriteLinesAtomically(path(), original));
    }
    QString path() const { return dir.filePath(QStringLiteral("TALVEX.TXT")); }

    QTemporaryDir dir;
    QStringList original;
};

TEST_F(EditorFile, ASavedFileDiffersFromTheLoadedOneOnlyInTheEditedLines)
{
    const LoadedLines loaded = LoadLines(path());
    ASSERT_TRUE(loaded.lines);
    ChannelTableModel model;
    model.load(*loaded.lines);
    const auto cell = [&model](int row, Column column) { return model.index(row, static_cast<int>(column)); };
    ASSERT_TRUE(model.setData(cell(4, Column::Label), QStringLiteral("FT8 160"), Qt::EditRole));
    ASSERT_TRUE(model.setData(cell(5, Column::ToneType), QStringLiteral("off"), Qt::EditRole));
    ASSERT_TRUE(model.setData(cell(13, Column::Frequency), QStringLiteral("3.5735"), Qt::EditRole));
    ASSERT_FALSE(SaveLines(path(), model.lines()));

    QStringList expected = original;
    expected[4] = Channel(1, "01.840.0", "USB", 2, false, "FT8 160");
    const QList<QByteArray> saved = ReadBytes(path()).split('\n');
    const QList<QByteArray> before = Bytes(original).split('\n');
    ASSERT_EQ(saved.size(), before.size());
    std::vector<int> changed;
    for (int i = 0; i < saved.size(); ++i) {
        if (saved[i] != before[i])
            changed.push_back(i);
    }
    EXPECT_EQ(changed, (std::vector<int>{4, 5, 13}));
    EXPECT_EQ(saved[4], expected[4].toLatin1() + '\r');
    const ChannelRow tone = ChannelRowOf(QString::fromLatin1(saved[5].chopped(1)));
    ASSERT_TRUE(tone.record);
    EXPECT_EQ(tone.record->bytes().at(10), '\x10');  // data mode D1 kept, tone off
    EXPECT_EQ(tone.record->bytes().at(24), '\x12');  // a split channel's transmit side is its own
    EXPECT_EQ(ChannelRowOf(QString::fromLatin1(saved[13])).frequency, u"03.573.5");
    model.markSaved();
    EXPECT_FALSE(model.isModified());
}

TEST_F(EditorFile, AFailedSaveKeepsTheOldFileAndSaysWhy)
{
    QStringList changed = original;
    changed[4] = Channel(1, "01.841.0", "USB", 2, false, "CHANGED");
    SimulateDiskFullAfter(100);
    const auto error = SaveLines(path(), changed);
    SimulateDiskFullAfter(std::nullopt);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->startsWith(u"Error Code 61 ... ")) << error->toStdString();
    EXPECT_TRUE(error->endsWith(u"TALVEX.TXT ... the file was not changed")) << error->toStdString();
    EXPECT_EQ(ReadBytes(path()), Bytes(original));
}

TEST_F(EditorFile, AMissingFileIsNamedWithItsErrorCode)
{
    const LoadedLines loaded = LoadLines(dir.filePath(QStringLiteral("NONE.TXT")));
    EXPECT_FALSE(loaded.lines);
    EXPECT_TRUE(loaded.error.startsWith(u"Error Code 53 ... ")) << loaded.error.toStdString();
}

TEST_F(EditorFile, ChirpExportAndImportGiveBackTheChannelLines)
{
    const QString csv = dir.filePath(QStringLiteral("radio.csv"));
    ASSERT_FALSE(ExportChirpFile(csv, original));
    const channels::ImportResult imported = ImportChirpFile(csv, QStringLiteral("TALVEX.TXT"));
    ASSERT_FALSE(imported.refused);
    QStringList channelsIn, channelsOut;
    for (const QString& line : original) {
        if (RowKindOf(line) == RowKind::Channel && !ChannelRowOf(line).isBlank())
            channelsIn << line;
    }
    for (const QString& line : imported.lines) {
        if (RowKindOf(line) == RowKind::Channel && !ChannelRowOf(line).isBlank())
            channelsOut << line;
    }
    EXPECT_EQ(channelsOut, channelsIn);
}

}  // namespace
}  // namespace talvex::editor
