// A full disk while a file is replaced: the write fails with the system's reason, and the old
// file stays byte for byte, with no temporary file left beside it.
#include "platform/text_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace talvex {
namespace {

const QByteArray kOld = "TALVEX CONFIGURATION FILE (TALVEX.INI)\r\n \r\n[DeftFile] TALVEX.TXT\r\nEND\r\n";

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void WriteRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// 60 lines of 40 characters: 2520 bytes with their line ends.
QStringList NewLines()
{
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines << QStringLiteral("%1").arg(i, 40, 10, QChar(u'0'));
    return lines;
}

// Both writers: the whole-file one, and the line-by-line one Create File uses.
std::optional<FileError> WriteWhole(const QString& path, const QStringList& lines)
{
    return WriteLinesAtomically(path, lines);
}

std::optional<FileError> WriteByLine(const QString& path, const QStringList& lines)
{
    ReplacingTextFile file;
    if (auto error = file.open(path))
        return error;
    for (const QString& line : lines)
        file.writeLine(line);  // a failure is kept and reported by commit()
    return file.commit();
}

using Writer = std::optional<FileError> (*)(const QString&, const QStringList&);
const std::pair<const char*, Writer> kWriters[] = {{"whole file", &WriteWhole}, {"line by line", &WriteByLine}};

struct DiskFullGuard {
    ~DiskFullGuard() { SimulateDiskFullAfter(std::nullopt); }
};

TEST(ReplacingAFile, FailsOnAFullDiskAndKeepsTheOldFile)
{
    const qint64 needed = 60 * 42;
    const qint64 room[] = {0, 1, 41, 42, 1000, needed - 1};
    for (const auto& [name, write] : kWriters) {
        for (const qint64 bytes : room) {
            SCOPED_TRACE(std::string(name) + ", room for " + std::to_string(bytes));
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("TALVEX.INI"));
            WriteRaw(path, kOld);
            DiskFullGuard guard;
            SimulateDiskFullAfter(bytes);
            const auto error = write(path, NewLines());
            ASSERT_TRUE(error.has_value());
            EXPECT_EQ(error->number, kErrorDiskFull);
            EXPECT_EQ(error->description, u"No space left on device");
            EXPECT_EQ(Contents(path), kOld);
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("TALVEX.INI")});
        }
    }
}

TEST(ReplacingAFile, WithRoomEnoughReplacesItWhole)
{
    for (const auto& [name, write] : kWriters) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("TALVEX.INI"));
        WriteRaw(path, kOld);
        DiskFullGuard guard;
        SimulateDiskFullAfter(60 * 42);
        EXPECT_FALSE(write(path, NewLines()).has_value()) << name;
        EXPECT_EQ(Contents(path), NewLines().join(QStringLiteral("\r\n")).toLatin1() + "\r\n") << name;
    }
}

// The same on a real file system that runs out of space: a small tmpfs, filled up.
class FullTmpfs : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        mountPoint = dir.filePath(QStringLiteral("disk"));
        ASSERT_TRUE(QDir().mkpath(mountPoint));
        QProcess mount;
        mount.start(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                              QStringLiteral("size=64k"), QStringLiteral("tmpfs"), mountPoint});
        if (!mount.waitForFinished(5000) || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and mount rights): "
                         << mount.readAllStandardError().toStdString();
        mounted = true;
    }
    void TearDown() override
    {
        if (mounted)
            QProcess::execute(QStringLiteral("umount"), {mountPoint});
    }
    // Writes a filler file until the file system refuses more.
    void fill()
    {
        QFile filler(QDir(mountPoint).filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(1024, 'x');
        for (int i = 0; i < 256 && filler.write(block) == block.size(); ++i) {
        }
    }

    QTemporaryDir dir;
    QString mountPoint;
    bool mounted = false;
};

TEST_F(FullTmpfs, AFullDiskFailsTheWriteAndKeepsTheOldFile)
{
    const QString path = QDir(mountPoint).filePath(QStringLiteral("TALVEX.TXT"));
    WriteRaw(path, kOld);
    fill();
    for (const auto& [name, write] : kWriters) {
        const auto error = write(path, NewLines());
        ASSERT_TRUE(error.has_value()) << name;
        EXPECT_EQ(error->number, kErrorDiskFull) << name;
        EXPECT_FALSE(error->description.isEmpty()) << name;
        EXPECT_EQ(Contents(path), kOld) << name;
        EXPECT_EQ(QDir(mountPoint).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase),
                  (QStringList{QStringLiteral("filler"), QStringLiteral("TALVEX.TXT")}))
            << name;
    }
}

}  // namespace
}  // namespace talvex
