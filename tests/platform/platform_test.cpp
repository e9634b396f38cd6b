// The platform boundary itself: a file replaced on a full disk, and the real message and input
// boxes, found while they are shown.
#include "platform/text_file.h"
#include "platform/widgets/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

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
using Writer = std::function<std::optional<FileError>(const QString&)>;
const std::pair<const char*, Writer> kWriters[] = {
    {"whole file", [](const QString& path) { return WriteLinesAtomically(path, NewLines()); }},
    {"line by line", [](const QString& path) {
         ReplacingTextFile file;
         if (auto error = file.open(path))
             return error;
         for (const QString& line : NewLines())
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
            const auto error = write(path);
            SimulateDiskFullAfter(std::nullopt);
            EXPECT_EQ(error ? error->number : 0, room < needed ? kErrorDiskFull : 0);
            EXPECT_EQ(error ? error->description : QString(), room < needed ? u"No space left on device" : u"");
            EXPECT_EQ(Contents(path), room < needed ? kOld : NewLines().join("\r\n").toLatin1() + "\r\n");
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"TALVEX.INI"});
        }
    }
}

// The same on a real file system that runs out of space: a small tmpfs, filled up.
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
    QFile old(path), filler(QDir(disk).filePath(QStringLiteral("filler")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write(kOld) == kOld.size());
    old.close();
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    for (int i = 0; i < 256 && filler.write(QByteArray(1024, 'x')) == 1024; ++i) {
    }
    for (const auto& [name, write] : kWriters) {
        const auto error = write(path);
        ASSERT_TRUE(error.has_value()) << name;
        EXPECT_EQ(error->number, kErrorDiskFull) << name;
        EXPECT_FALSE(error->description.isEmpty()) << name;
        EXPECT_EQ(Contents(path), kOld) << name;
        EXPECT_EQ(QDir(disk).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase),
                  (QStringList{"filler", "TALVEX.TXT"})) << name;
    }
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
