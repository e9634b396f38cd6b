#pragma once

#include "link/link_listener.h"
#include "memory/memory_listener.h"
#include "memory/window/memory_fields.h"
#include "startup/opening_shown.h"

#include <QStringList>

namespace talvex {

// The Memory Operations window's fields written from what the link reads: a channel shown by a
// select or a read, "Blank" for a channel that holds nothing, the greeting with the radio's call
// sign, the squelch, the line's traffic and advice given during an operation; and the data file
// the openings made current, their end and the operator's greeting; and where a memory operation
// stands, as the engine tells it. It keeps the fields, whether or not the window is there to
// show them.
class MemoryChannelFields final : public LinkListener, public OpeningShown, public MemoryListener {
public:
    MemoryFields& fields() { return fields_; }
    const MemoryFields& fields() const { return fields_; }

    void answerRead(const RadioReading& reading) override;
    void trafficShown(const QString& line) override { fields_.Text9 = line; }
    void adviceGiven(const QString& advice) override;

    void dataFileShown(const QString& path) override;
    void openingDone(OpeningDone opening) override;
    void operatorGreeted(const QString& callSign) override;

    void ended(const MemoryOutcome&) override;
    void lineReached(const QString& line) override;
    void endLineReached() override { fields_.Text1 = QStringLiteral("END"); }
    void endReached() override;
    void channelWithdrawn() override;
    void told(const QString& line) override { fields_.Text7 = line; }
    void channelUnanswered(int channel) override;
    void channelClearing(int channel) override;
    void fileTaken(const QString& path) override { fields_.Text8 = path; }
    void backupProgress(const ReadingProgress& reached) override;
    void backupEnded() override { backupProgress_.clear(); }
    // A line that stands (advice, a backup's progress) holds the message field over the step's.
    void stepSettled() override { showMessage(fields_.Text7); }

private:
    void showChannel(const ChannelReading& channel);
    void showBlank(std::optional<int> channelAsked);
    // Writes `text` into the message field, unless a standing line holds it: then that line
    // shows.
    void showMessage(const QString& text);

    MemoryFields fields_;
    // Lines that hold the message field (Text7) while they stand, against what each answer and
    // step would write there: the connection advice given while a memory operation runs, until
    // it ends (several causes may be told in one run; the newest shows), and below it a backup's
    // progress while the backup is being saved.
    QStringList advice_;
    QString backupProgress_;
};

}  // namespace talvex
