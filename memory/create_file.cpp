// Create File: the radio's channels 1-99 into the current data file, one channel a tick.
// The lines go into a temporary file beside the data file, which replaces it only once the end
// line is written: Stop, a silent radio or a crash leave the old file exactly as it was.
#include "memory/memory_operations.h"

#include "memory/data_line.h"

namespace talvex {

namespace {

constexpr int kLastChannel = 99;
const QString kCreateFile = QStringLiteral("Create File");

QString HeadingLine()
{
    return FormatDataLine({QStringLiteral(" Ch#"), QStringLiteral("Freq..:."), QStringLiteral("Mode"),
                           QStringLiteral("Fil #"), QStringLiteral("      "), QStringLiteral("Label.....")});
}

QString EmptyLine() { return FormatDataLine({QString(), QString(), QString(), QString(), QString(), QString()}); }

// A radio name may hold control bytes; written as they are they would split the line.
QString WritableLabel(QString label)
{
    for (QChar& c : label) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u' ';
    }
    return label;
}

QString SelectMark(const QString& shown)
{
    if (shown == u"*")
        return QStringLiteral("Yes");
    if (shown == u" ")
        return QStringLiteral("   ");
    return {};
}

}  // namespace

void MemoryOperations::Command1_Click()
{
    if (refuseWhileBusy() || refuseWithoutRadio(kCreateFile))
        return;
    if (dialogs_.message(kCreateFile, state_.CurrentFileName + QStringLiteral(" ... Are you sure?"),
                         MessageIcon::None, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    if (const auto error = newFile_.open(state_.CurrentDataFile)) {
        dialogs_.critical(QStringLiteral("Open File - Unexpected Error"),
                          QStringLiteral("Error Code ") + QString::number(error->number) + QStringLiteral(" ... ")
                              + error->description + QStringLiteral(" ... ") + state_.CurrentDataFile
                              + QStringLiteral(" ... Output"));
        return;
    }
    dataFile_.CloseDataFile();
    state_.ChannelCounter = 0;
    state_.CreatingFile = true;
}

void MemoryOperations::Timer1_Timer()
{
    if (!state_.CreatingFile || !radioStillThere(kCreateFile))
        return;
    if (!newFile_.isOpen()) {
        haltWith(kCreateFile, QStringLiteral("The new file is not open ... Create File stopped."));
        return;
    }
    const int counter = state_.ChannelCounter;
    if (counter == 0) {
        newFile_.writeLine(FormatDataLine({QString(), QString(), QString(), QString(), QString(),
                                           state_.CurrentFileName}));
        newFile_.writeLine(HeadingLine());
        newFile_.writeLine(EmptyLine());
    } else {
        if (state_.memory.Text1.trimmed() != QString::number(counter)) {
            haltWith(kCreateFile, QStringLiteral("The radio did not answer for channel ") + QString::number(counter)
                                      + QStringLiteral(" ... ") + state_.CurrentFileName
                                      + QStringLiteral(" was not changed."));
            return;
        }
        writeChannelLine(counter);
    }
    if (counter >= kLastChannel)
        endCreateFile();
    else
        requestChannel(counter + 1);
}

void MemoryOperations::writeChannelLine(int channel)
{
    const MemoryFields& m = state_.memory;
    newFile_.writeLine(
        FormatDataLine({channel, m.Text3, m.Text4, m.Text5, SelectMark(m.Text2), WritableLabel(m.Text6)}));
}

void MemoryOperations::requestChannel(int channel)
{
    state_.ChannelCounter = channel;
    // Blanked first, so a channel the radio never reported cannot be mistaken for an answer.
    state_.memory.Text1.clear();
    state_.ChannelText = QString::number(channel);
    state_.EntriesPreset = true;
    radio_.Option45_Click();
}

void MemoryOperations::endCreateFile()
{
    newFile_.writeLine(EmptyLine());
    newFile_.writeLine(HeadingLine());
    newFile_.writeLine(EmptyLine());
    newFile_.writeLine(FormatDataLine({QStringLiteral(" END"), QString(), QString(), QString(), QString(), QString()}));
    if (const auto error = newFile_.commit()) {
        haltWith(kCreateFile, QStringLiteral("Error Code ") + QString::number(error->number) + QStringLiteral(" ... ")
                                  + error->description + QStringLiteral(" ... ") + state_.CurrentDataFile
                                  + QStringLiteral(" ... the old file was kept."));
        return;
    }
    dataFile_.ReopenDataFile(state_.CurrentDataFile, FileMode::Input);
    showEnd();
    state_.ChannelCounter = 0;
    state_.CreatingFile = false;
    state_.EntriesPreset = false;
}

}  // namespace talvex
