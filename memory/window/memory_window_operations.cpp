#include "memory/window/memory_window_operations.h"

#include "memory/memory_operations.h"
#include "memory/window/memory_fields.h"
#include "platform/dialogs.h"
#include "state/program_state.h"

namespace talvex {

namespace {

// The first and last channel as the operator types them. An empty answer takes the default (1,
// 99); a last channel without a number is 0, so nothing is acted on. A first channel without a
// leading number cannot say where to begin: it is refused, like Cancel at either prompt.
std::optional<ChannelRange> AskChannelRange(Dialogs& dialogs, const QString& firstPrompt, const QString& firstTitle,
                                            const QString& lastPrompt, const QString& lastTitle)
{
    const auto first = dialogs.input(firstPrompt, firstTitle, QString::number(kRadio.firstChannel));
    if (!first)
        return std::nullopt;
    ChannelRange range;
    if (!first->isEmpty()) {
        const auto typed = TypedChannel(*first);
        if (!typed)
            return std::nullopt;
        range.first = *typed;
    }
    const auto last = dialogs.input(lastPrompt, lastTitle, QString::number(kRadio.lastChannel));
    if (!last)
        return std::nullopt;
    if (!last->isEmpty())
        range.last = TypedChannel(*last).value_or(0);
    return range;
}

}  // namespace

MemoryWindowOperations::MemoryWindowOperations(ProgramState& state, MemoryOperations& memory, Dialogs& dialogs,
                                               ProgramExit& exit, const MemoryFields& fields)
    : state_(state), memory_(memory), dialogs_(dialogs), exit_(exit), fields_(fields)
{
    memory_.addListener(this);
}

MemoryWindowOperations::~MemoryWindowOperations() { memory_.removeListener(this); }

void MemoryWindowOperations::createFile() { run(&MemoryOperations::createFile, {}); }
void MemoryWindowOperations::viewFile() { run(&MemoryOperations::viewFile, {}); }
void MemoryWindowOperations::updateRig() { run(&MemoryOperations::updateRig, {}); }
void MemoryWindowOperations::viewRig() { run(&MemoryOperations::viewRig, {}); }
void MemoryWindowOperations::stop() { memory_.stop(); }

void MemoryWindowOperations::updateRigFrom(const QString& fileName)
{
    MemoryRequest request;
    request.file = fileName;
    // The window's buttons name files the operator keeps beside the program: a missing one is
    // made empty, and the program starts again to read it.
    request.missingFile = MissingFile::Create;
    run(&MemoryOperations::updateRig, request);
}

void MemoryWindowOperations::blankRig()
{
    if (state_.BlankingRig) {
        // Held while the question is open: ticks keep coming meanwhile.
        memory_.pauseBlankRig(true);
        if (dialogs_.message(QStringLiteral("Blank Rig"), QStringLiteral("STOP Blank Rig?"), MessageIcon::None,
                             MessageButtons::YesNo)
            == MessageAnswer::Yes)
            memory_.abandonBlankRig();
        else
            memory_.pauseBlankRig(false);
        return;
    }
    run(&MemoryOperations::blankRig, {}, [this](MemoryRequest& request) { return askBlankRange(request); });
}

void MemoryWindowOperations::scanRig()
{
    if (state_.ScanningRig) {
        memory_.pauseScanRig(true);
        const bool stopping = dialogs_.message(QStringLiteral("Scan Rig"), QStringLiteral("STOP Scan Rig?"),
                                               MessageIcon::None, MessageButtons::YesNo)
            == MessageAnswer::Yes;
        memory_.pauseScanRig(false, stopping);
        return;
    }
    run(&MemoryOperations::scanRig, {}, [this](MemoryRequest& request) { return askScanRange(request); });
}

bool MemoryWindowOperations::askBlankRange(MemoryRequest& request)
{
    const QString title = QStringLiteral("Blank Rig Memories");
    request.range = AskChannelRange(dialogs_, QStringLiteral("Enter STARTING Channel Number ") + AllChannelsText(), title,
                                    QStringLiteral("Enter ENDING Channel Number ") + AllChannelsText(), title);
    return request.range.has_value();
}

bool MemoryWindowOperations::askScanRange(MemoryRequest& request)
{
    const QString title = QStringLiteral("Scan Rig");
    request.range = AskChannelRange(dialogs_, QStringLiteral("STARTING Channel ") + AllChannelsText(), title,
                                    QStringLiteral("ENDING Channel ") + AllChannelsText(), title);
    if (!request.range)
        return false;
    request.scanSpeed = dialogs_.input(QStringLiteral("Scan Speed (1-9)"), QStringLiteral("Scan Speed"), QStringLiteral("5"));
    return request.scanSpeed.has_value();
}

bool MemoryWindowOperations::run(Start start, MemoryRequest request, const std::function<bool(MemoryRequest&)>& askRange)
{
    for (;;) {
        const StartResult result = (memory_.*start)(request);
        const auto* refused = std::get_if<Refused>(&result);
        if (!refused)
            return true;
        switch (refused->reason) {
        case RefusalReason::Unconfirmed:
            if (dialogs_.message(refused->title, refused->text, MessageIcon::None, MessageButtons::YesNo)
                != MessageAnswer::Yes)
                return false;
            request.confirmed = true;
            continue;
        case RefusalReason::NoRange:
            if (!askRange || !askRange(request))
                return false;
            continue;
        case RefusalReason::SkippedLinesUnanswered:
            request.writeDespiteSkippedLines =
                dialogs_.message(refused->title, refused->text, MessageIcon::None, MessageButtons::YesNo)
                == MessageAnswer::Yes;
            continue;
        case RefusalReason::MissingFileCreated:
            show(*refused);
            exit_.end(0);
            return false;
        default: show(*refused); return false;
        }
    }
}

void MemoryWindowOperations::show(const Refused& refused)
{
    if (refused.text.isEmpty())
        return;
    if (refused.critical)
        dialogs_.critical(refused.title, refused.text);
    else
        dialogs_.message(refused.title, refused.text, MessageIcon::None, MessageButtons::Ok);
}

void MemoryWindowOperations::dataFileSaid(const FileNotice& notice) { dialogs_.critical(notice.title, notice.text); }

// The end as a message box: a halt says why, with what was found and the connection advice; a
// Stop after findings names them; an end by itself reports the channels that did not verify
// (critical), or the notes and the advice.
void MemoryWindowOperations::ended(const MemoryOutcome& outcome)
{
    const QString& operation = outcome.operation;
    if (outcome.stopped == StopKind::Operator) {
        if (!outcome.found.isEmpty())
            dialogs_.critical(operation, QStringLiteral("Stopped before the end ... ") + outcome.found);
        return;
    }
    if (outcome.stopped) {
        QStringList told{outcome.why};
        if (!outcome.found.isEmpty())
            told << outcome.found;
        if (!outcome.advice.isEmpty())
            told << outcome.advice;
        dialogs_.critical(operation, told.join(u'\n'));
        return;
    }
    QStringList told;
    if (outcome.counts) {
        const ChannelReport& report = outcome.report;
        if (!report.allVerified()) {
            told << fields_.Text7 << report.details();
            if (!outcome.advice.isEmpty())
                told << outcome.advice;
            dialogs_.critical(operation, told.join(u'\n'));
            return;
        }
        if (report.hasNotes())
            told << fields_.Text7 << report.details();
    }
    if (!outcome.advice.isEmpty())
        told << outcome.advice;
    if (!told.isEmpty())
        dialogs_.message(operation, told.join(u'\n'), MessageIcon::None, MessageButtons::Ok);
}

}  // namespace talvex
