// The platform boundary itself: a file replaced on a full disk, and the real message and input
// boxes, found while they are shown.
#include "platform/text_file.h"
#include "platform/widgets/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace talvex {
namespace {

const QByteArray kOld = "TALVEX CONFIGURATION FILE (TALVEX.INI)\r\n \r\n[DeftFile] TALVEX.TXT\r\nEND\r\n";

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// 60 lines of 40 characters: 2520 bytes with their line ends.
QStringList NewLines()
{
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines << QStringLiteral("%1").arg(i, 40, 10, QChar(u'0'));
    return lines;
}

// Both writers: the whole-file one, and the line-by-line one Create File uses, whose failures
// are kept and reported by commit().
using Writer = std::function<std::optional<FileError>(const QString&, const QStringList&)>;
const std::pair<const char*, Writer> kWriters[] = {
    {"whole file", [](const QString& path, const QStringList& lines) { return WriteLinesAtomically(path, lines); }},
    {"line by line", [](const QString& path, const QStringList& lines) {
         ReplacingTextFile file;
         if (auto error = file.open(path))
             return error;
         for (const QString& line : lines)
             file.writeLine(line);
         return file.commit();
     }}};

// A full disk while a file is replaced: the write fails with the system's reason, and the old
// file stays byte for byte, with no temporary file left beside it. With room enough it is
// replaced whole.
TEST(ReplacingAFile, FailsOnAFullDiskAndKeepsTheOldFile)
{
    struct DiskFullGuard {
        ~DiskFullGuard() { SimulateDiskFullAfter(std::nullopt); }
    } guard;
    const qint64 needed = 60 * 42;
    for (const auto& [name, write] : kWriters) {
        for (const qint64 room : {qint64{0}, qint64{1}, qint64{41}, qint64{42}, qint64{1000}, needed - 1, needed}) {
            SCOPED_TRACE(std::string(name) + ", room for " + std::to_string(room));
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("TALVEX.INI"));
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write(kOld) == kOld.size());
            old.close();
            SimulateDiskFullAfter(room);
            const auto error = write(path, NewLines());
            SimulateDiskFullAfter(std::nullopt);
            EXPECT_EQ(error ? error->number : 0, room < needed ? kErrorDiskFull : 0);
            EXPECT_EQ(error ? error->description : QString(), room < needed ? u"No space left on device" : u"");
            EXPECT_EQ(Contents(path), room < needed ? kOld : NewLines().join("\r\n").toLatin1() + "\r\n");
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"TALVEX.INI"});
        }
    }
}

// Every line written, but the last step, putting the new file in the old one's place, fails
// (here a folder has taken the name meanwhile): that is a failure like any other, and nothing
// of the new file is left behind.
TEST(ReplacingAFile, WhoseFinalRenameFailsSaysSoAndLeavesNothingBehind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TALVEX.TXT"));
    ReplacingTextFile file;
    ASSERT_EQ(file.open(path), std::nullopt);
    for (const QString& line : NewLines())
        EXPECT_TRUE(file.writeLine(line));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("TALVEX.TXT/in the way")));
    const auto error = file.commit();
    EXPECT_EQ(error ? error->number : 0, kErrorFileAccess);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"TALVEX.TXT"});
}

// The same on a real file system that runs out of space: a small tmpfs, full before the write
// starts or filling up part-way through it. Both say what a full disk is, in the same words.
TEST(ReplacingAFile, OnARealFullDiskFailsAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString disk = dir.filePath(QStringLiteral("disk"));
    ASSERT_TRUE(QDir().mkpath(disk));
    QProcess mount;
    mount.start(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=64k", "tmpfs", disk});
    if (!mount.waitForFinished(5000) || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and mount rights): "
                     << mount.readAllStandardError().toStdString();
    struct Unmount {
        QString disk;
        ~Unmount() { QProcess::execute(QStringLiteral("umount"), {disk}); }
    } unmount{disk};
    const QString path = QDir(disk).filePath(QStringLiteral("TALVEX.TXT"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write(kOld) == kOld.size());
    old.close();
    QStringList bigger;  // 20 KB, far more than the page left free
    for (int i = 0; i < 8; ++i)
        bigger += NewLines();
    for (const bool partWay : {false, true}) {
        QFile filler(QDir(disk).filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered));
        for (int i = 0; i < 256 && filler.write(QByteArray(1024, 'x')) == 1024; ++i) {
        }
        if (partWay) {  // one whole page free again: the first lines fit, the rest do not
            ASSERT_TRUE(filler.resize(filler.size() / 4096 * 4096 - 4096));
        }
        filler.close();
        for (const auto& [name, write] : kWriters) {
            SCOPED_TRACE(std::string(name) + (partWay ? ", part-way" : ", from the start"));
            const auto error = write(path, bigger);
            ASSERT_TRUE(error.has_value());
            EXPECT_EQ(error->number, kErrorDiskFull);
            EXPECT_EQ(error->description, u"No space left on device");
            EXPECT_EQ(Contents(path), kOld);
            EXPECT_EQ(QDir(disk).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase),
                      (QStringList{"filler", "TALVEX.TXT"}));
        }
    }
}

// What stands at a path and is not a regular file. A device cannot be made without root, but
// a pipe is handled as one would be: a write to it blocks or feeds it, a rename replaces it.
struct Node {
    const char* name;
    std::function<bool(const QString&)> make;
    bool (QFileInfo::*is)() const;  // still what it was
};
bool IsFifo(const QFileInfo& info)
{
    struct stat status {};
    return lstat(QFile::encodeName(info.filePath()).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}
const Node kNodes[] = {
    {"a pipe", [](const QString& path) { return mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }, nullptr},
    {"a folder", [](const QString& path) { return QDir().mkdir(path); }, &QFileInfo::isDir},
    {"a link to a pipe", [](const QString& path) {
         const QString pipe = path + QStringLiteral(".fifo");
         return mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0 && QFile::link(pipe, path);
     }, &QFileInfo::isSymLink},
};

// Only a regular file is ever written, replaced or read: anything else at the path is refused
// with the reason, before a byte moves, and stays what it was.
TEST(TextFiles, RefuseWhatIsNotARegularFileAndLeaveItAsItWas)
{
    const QString refused = QStringLiteral(
        "Path/File access error: not a regular file (a device, pipe, folder or socket is never read or replaced)");
    std::vector<std::pair<std::string, Writer>> writers(std::begin(kWriters), std::end(kWriters));
    writers.emplace_back("opened for writing", [](const QString& path, const QStringList&) {
        TextFile file;
        return file.open(path, FileMode::Output);
    });
    writers.emplace_back("opened for reading", [](const QString& path, const QStringList&) {
        TextFile file;
        return file.open(path, FileMode::Input);
    });
    for (const Node& node : kNodes) {
        for (const auto& [how, write] : writers) {
            SCOPED_TRACE(std::string(node.name) + ", " + how);
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("TALVEX.TXT"));
            ASSERT_TRUE(node.make(path));
            const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
            const auto error = write(path, NewLines());
            ASSERT_TRUE(error.has_value());
            EXPECT_EQ(error->number, kErrorFileAccess);
            EXPECT_EQ(error->description, refused);
            const QFileInfo now(path);
            EXPECT_TRUE(node.is ? (now.*node.is)() : IsFifo(now));
            EXPECT_FALSE(now.isFile() && !now.isSymLink());
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
        }
    }
}

// A text file over 16 MB is not read at all (a data file of 99 channels is under 8 KB): a huge
// file, even one that is mostly a hole after its END line, never reaches memory.
TEST(TextFiles, AreReadOnlyUpTo16Mb)
{
    const struct {
        qint64 size;
        bool opens;
    } rows[] = {{0, true}, {kLargestTextFile, true}, {kLargestTextFile + 1, false}, {64 * 1024 * 1024, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.size);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("TALVEX.TXT"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(" 1\r\n END\r\n") > 0 && file.resize(row.size));
        file.close();
        TextFile text;
        const auto error = text.open(path, FileMode::Input);
        EXPECT_EQ(text.isOpen(), row.opens);
        EXPECT_EQ(error ? error->number : 0, row.opens ? 0 : kErrorFileAccess);
        EXPECT_EQ(error ? error->description : QString(),
                  row.opens ? QString() : QStringLiteral("File too large: %1 bytes, over the 16 MB a data file may hold").arg(row.size));
        if (!row.opens) {
            EXPECT_FALSE(ReadAllLines(path).has_value());
        }
        EXPECT_EQ(QFileInfo(path).size(), row.size);
    }
}

// A claim is made once: a second claim of the name fails, whoever makes it; the file is renamed
// only where nothing stands, and goes when discarded or never renamed.
TEST(TextFiles, ANewFileIsMadeAndRenamedOnlyWhereNothingStands)
{
    QTemporaryDir dir;
    const QString claim = dir.filePath(QStringLiteral(".X.TXT.part"));
    const QString taken = dir.filePath(QStringLiteral("TAKEN.TXT"));
    ASSERT_FALSE(WriteLinesAtomically(taken, {QStringLiteral("another's")}));
    NewTextFile file;
    ASSERT_EQ(file.create(claim), std::nullopt);
    EXPECT_TRUE(file.writeLine(QStringLiteral("ours")));
    NewTextFile second;
    const auto again = second.create(claim);
    EXPECT_EQ(again ? again->number : 0, kErrorFileExists);
    const auto over = file.renameTo(taken);
    EXPECT_EQ(over ? over->number : 0, kErrorFileExists);
    EXPECT_EQ(Contents(taken), "another's\r\n");  // never replaced
    EXPECT_EQ(Contents(claim), "ours\r\n");      // still ours, complete, under its claim
    ASSERT_EQ(file.renameTo(dir.filePath(QStringLiteral("X.TXT"))), std::nullopt);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), (QStringList{"TAKEN.TXT", "X.TXT"}));

    {
        NewTextFile dropped;  // destroyed unrenamed, as by a Stop
        ASSERT_EQ(dropped.create(claim), std::nullopt);
    }
    EXPECT_FALSE(QFileInfo::exists(claim));
    const auto missing = file.create(dir.filePath(QStringLiteral("missing/X.TXT")));
    EXPECT_EQ(missing ? missing->number : 0, kErrorPathNotFound);

    // A full disk: the write fails and complete() says so; nothing is renamed.
    ASSERT_EQ(file.create(claim), std::nullopt);
    SimulateDiskFullAfter(3);
    EXPECT_FALSE(file.writeLine(QStringLiteral("too long")));
    SimulateDiskFullAfter(std::nullopt);
    const auto full = file.renameTo(dir.filePath(QStringLiteral("FULL.TXT")));
    EXPECT_EQ(full ? full->number : 0, kErrorDiskFull);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("FULL.TXT"))));
}

// Runs `handle` on the modal dialog once it is shown; gives up (and fails) after two seconds.
void WhenShown(std::function<void(QWidget&)> handle)
{
    auto* poll = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, tries, handle = std::move(handle)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr && ++*tries <= 200)
            return;
        poll->stop();
        poll->deleteLater();
        if (modal == nullptr)
            ADD_FAILURE() << "no dialog was shown";
        else
            handle(*modal);
    });
    poll->start(10);
}

// How the label that shows `text` shows it: names from files and from the radio appear as typed,
// never as markup.
std::optional<Qt::TextFormat> FormatOfLabelShowing(QWidget& dialog, const QString& text)
{
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == text)
            return label->textFormat();
    }
    return std::nullopt;
}

TEST(QtDialogs, ShowTextsAsPlainTextAndReportTheAnswer)
{
    QtDialogs dialogs;
    const QString text = QStringLiteral("Error Code 75 ... <i>a</i> <img src=x> ... C:\\<RADIO>\\<b>HAM.TXT ... Input");
    for (const auto answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        std::optional<Qt::TextFormat> shown;
        WhenShown([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            shown = FormatOfLabelShowing(modal, text);
            box->button(answer == MessageAnswer::Yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(dialogs.message("Default File", text, MessageIcon::None, MessageButtons::YesNo), answer);
        EXPECT_EQ(shown, Qt::PlainText);
    }
    std::optional<Qt::TextFormat> shown;
    WhenShown([&](QWidget& modal) {
        auto* dialog = qobject_cast<QInputDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->textValue(), u"AM");
        shown = FormatOfLabelShowing(modal, text);
        dialog->setTextValue(QStringLiteral("usb"));
        dialog->accept();
    });
    EXPECT_EQ(dialogs.input(text, QStringLiteral("Set Memory Mode"), QStringLiteral("AM")), QStringLiteral("usb"));
    EXPECT_EQ(shown, Qt::PlainText);
    WhenShown([](QWidget& modal) { static_cast<QDialog&>(modal).reject(); });
    EXPECT_EQ(dialogs.input(QStringLiteral("<b>7</b>"), QStringLiteral("Set Memory Channel Number"), QString()),
              std::nullopt);
}

}  // namespace
}  // namespace talvex
