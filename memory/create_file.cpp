#include "memory/create_file.h"

#include "link/frames.h"
#include "link/radio_answers.h"
#include "memory/data_line.h"

namespace talvex {

namespace {

constexpr int kLastChannel = 99;
// A channel whose answer is missing or damaged is asked for again this many times.
constexpr int kReadsPerChannel = 3;

QString HeadingLine()
{
    return FormatDataLine({QStringLiteral(" Ch#"), QStringLiteral("Freq..:."), QStringLiteral("Mode"),
                           QStringLiteral("Fil #"), QStringLiteral("      "), QStringLiteral("Label.....")});
}

QString EmptyLine() { return FormatDataLine({QString(), QString(), QString(), QString(), QString(), QString()}); }

// A radio name may hold control bytes or bytes above 7E; written as they are they would split
// the line or make a label no memory write takes back, so each becomes a blank.
QString WritableLabel(QString label)
{
    for (QChar& c : label) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F)
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

// The channel's answer when it is whole and readable.
std::optional<QByteArray> ChannelAnswer(const Exchange& exchange, int channel)
{
    const auto field = ChannelField(QString::number(channel));
    const auto answer = MemoryReadAnswer(RadioAnswers(exchange.received), *field);
    if (!answer || (!IsBlankChannelAnswer(*answer) && !ContentsReadable(ContentsOfAnswer(*answer))))
        return std::nullopt;
    return answer;
}

}  // namespace

CreateFile::CreateFile(OperationContext& context)
    : Stepper(context, context.state.CreatingFile, QStringLiteral("Create File"))
{
}

void CreateFile::start()
{
    ProgramState& s = c_.state;
    if (c_.dialogs.message(name(), s.CurrentFileName + QStringLiteral(" ... Are you sure?"), MessageIcon::None,
                           MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return;
    if (const auto error = newFile_.open(s.CurrentDataFile)) {
        c_.dialogs.critical(QStringLiteral("Open File - Unexpected Error"),
                            ErrorCodeText(*error) + QStringLiteral(" ... ") + s.CurrentDataFile
                                + QStringLiteral(" ... Output"));
        return;
    }
    c_.dataFile.CloseDataFile();
    reset();
    s.ChannelCounter = 0;
    s.CreatingFile = true;
}

void CreateFile::step()
{
    if (!newFile_.isOpen()) {
        halt(QStringLiteral("The new file is not open ... Create File stopped."));
        return;
    }
    const int counter = c_.state.ChannelCounter;
    if (askAgain_) {
        askAgain_ = false;
        request(counter);
        return;
    }
    if (counter == 0) {
        newFile_.writeLine(FormatDataLine({QString(), QString(), QString(), QString(), QString(),
                                           c_.state.CurrentFileName}));
        newFile_.writeLine(HeadingLine());
        newFile_.writeLine(EmptyLine());
    }
    if (counter >= kLastChannel)
        finish();
    else
        request(counter + 1);
}

void CreateFile::check(const Exchange& exchange)
{
    const int channel = c_.state.ChannelCounter;
    const auto answer = ChannelAnswer(exchange, channel);
    if (!answer) {
        if (tries_ < kReadsPerChannel) {
            askAgain_ = true;
            return;
        }
        halt(QStringLiteral("The radio did not answer for channel ") + QString::number(channel)
             + QStringLiteral(" ... ") + c_.state.CurrentFileName + QStringLiteral(" was not changed."));
        return;
    }
    const MemoryFields shown = ShownFromAnswer(*answer, QString::number(channel));
    newFile_.writeLine(FormatDataLine(
        {channel, shown.Text3, shown.Text4, shown.Text5, SelectMark(shown.Text2), WritableLabel(shown.Text6)}));
    tries_ = 0;
}

void CreateFile::request(int channel)
{
    ProgramState& s = c_.state;
    if (channel != s.ChannelCounter)
        tries_ = 0;
    ++tries_;
    s.ChannelCounter = channel;
    s.ChannelText = QString::number(channel);
    s.EntriesPreset = true;
    expectAnswer();
    c_.radio.Option45_Click();
}

void CreateFile::finish()
{
    newFile_.writeLine(EmptyLine());
    newFile_.writeLine(HeadingLine());
    newFile_.writeLine(EmptyLine());
    newFile_.writeLine(FormatDataLine({QStringLiteral(" END"), QString(), QString(), QString(), QString(), QString()}));
    if (const auto error = newFile_.commit()) {
        halt(ErrorCodeText(*error) + QStringLiteral(" ... ") + c_.state.CurrentDataFile
             + QStringLiteral(" ... the old file was kept."));
        return;
    }
    c_.dataFile.ReopenDataFile(c_.state.CurrentDataFile, FileMode::Input);
    c_.showEnd();
    c_.state.ChannelCounter = 0;
    c_.state.CreatingFile = false;
    c_.state.EntriesPreset = false;
}

void CreateFile::reset()
{
    Stepper::reset();
    tries_ = 0;
    askAgain_ = false;
}

void CreateFile::discard()
{
    if (!newFile_.isOpen())
        return;
    newFile_.discard();
}

}  // namespace talvex
