#include "memory/create_file.h"

#include "link/radio_model.h"
#include "datafile/record_zone.h"

namespace talvex {

CreateFile::CreateFile(OperationContext& context)
    : Stepper(context, context.state.CreatingFile, QStringLiteral("Create File")), read_(context)
{
}

std::optional<Refused> CreateFile::start(const MemoryRequest& request)
{
    ProgramState& s = c_.state;
    if (!request.confirmed)
        return refuse(RefusalReason::Unconfirmed, s.CurrentFileName + QStringLiteral(" ... Are you sure?"), false);
    if (const auto error = newFile_.open(s.CurrentDataFile)) {
        return Refused{RefusalReason::FileUnwritable, QStringLiteral("Open File - Unexpected Error"),
                       ErrorCodeText(*error, {s.CurrentDataFile, QStringLiteral("Output")})};
    }
    c_.dataFile.CloseDataFile();
    reset();
    s.ChannelCounter = 0;
    s.CreatingFile = true;
    return std::nullopt;
}

void CreateFile::step()
{
    if (!newFile_.isOpen()) {
        halt(StopKind::FileError, QStringLiteral("The new file is not open ... Create File stopped."));
        return;
    }
    const int counter = c_.state.ChannelCounter;
    if (read_.wantsAgain()) {
        request(counter);
        return;
    }
    if (counter == 0) {
        for (const QString& line : DataFileHead(c_.state.CurrentFileName))
            newFile_.writeLine(line);
    }
    if (counter >= kRadio.lastChannel)
        finish();
    else
        request(counter + 1);
}

void CreateFile::check(const Exchange& exchange)
{
    const ChannelRead::Verdict verdict = read_.check(exchange);
    switch (verdict) {
    case ChannelRead::Verdict::Read:
        newFile_.writeLine(withRecords_ && read_.record() ? WithRecordZone(read_.line(), *read_.record())
                                                          : read_.line());
        return;
    case ChannelRead::Verdict::AskAgain: return;
    case ChannelRead::Verdict::Silent:
    case ChannelRead::Verdict::Garbled: {
        QString why = read_.whyNot();
        why[0] = why[0].toUpper();
        halt(StopKindOf(verdict),
             why + QStringLiteral(" ... ") + c_.state.CurrentFileName + QStringLiteral(" was not changed."));
        return;
    }
    }
}

void CreateFile::request(int channel)
{
    c_.state.ChannelCounter = channel;
    expectAnswer();
    read_.send(channel);
}

void CreateFile::finish()
{
    for (const QString& line : DataFileTail())
        newFile_.writeLine(line);
    if (const auto error = newFile_.commit()) {
        halt(StopKind::FileError,
             ErrorCodeText(*error, {c_.state.CurrentDataFile, QStringLiteral("the old file was kept.")}));
        return;
    }
    c_.tellOpening(c_.dataFile.ReopenDataFile(c_.state.CurrentDataFile, FileMode::Input), true);
    c_.showEnd();
    c_.state.ChannelCounter = 0;
    c_.state.CreatingFile = false;
}

void CreateFile::reset()
{
    Stepper::reset();
    read_.reset();
}

void CreateFile::discard() { newFile_.discard(); }

}  // namespace talvex
