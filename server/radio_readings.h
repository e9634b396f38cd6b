#pragma once

// What the server asks the radio and how it reads the answers: each value a client may read
// is one CI-V read whose answer is kept, as it came, in the state cache; each set is a frame
// or two whose first answer is the radio's OK or NG. Pure: bytes in, values out.

#include "rigserver/reply.h"
#include "rigserver/rig_command.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace talvex::server {

// The values a client reads, each by one CI-V read of the radio.
enum class Reading { Frequency, Mode, Ptt, Split, TxFrequency, TxMode, Strength, RfPower };
inline constexpr int kReadingCount = 8;

// The command bytes that read it (03, 04, 1C 00, 0F, 25 01, 26 01, 15 02, 14 0A).
QByteArray ReadCommand(Reading reading);

// The reading an answer's payload (the bytes between FE FE E0 radio and FD) carries, when it
// carries one whole: an answer of the wrong length is no reading.
std::optional<Reading> ReadingOf(const QByteArray& payload);

// A transceive broadcast's payload (00 + frequency, 01 + mode and filter) as the read answer
// it stands for (03 ..., 04 ...); nothing for any other broadcast.
std::optional<QByteArray> BroadcastAsAnswer(const QByteArray& payload);

// The client's values of a reading's payload, in the order the verb's reply lists them.
// `current` is the VFO in use: with split off, transmitting is on it; on, on the other one.
std::optional<std::vector<std::string>> ValuesOf(Reading reading, const QByteArray& payload, rigserver::Vfo current,
                                                 rigserver::Level level = rigserver::Level::Strength);

// The reading a get command answers with.
std::optional<Reading> ReadingFor(const rigserver::RigCommand& command);

// One frame's command bytes, and whether the radio answers it with a value or with OK/NG.
struct Step {
    QByteArray command;
    bool read = false;
    friend bool operator==(const Step&, const Step&) = default;
};

// What a set command sends: the set itself first, then the reads that show its effect in the
// windows at once. Nothing when the command's value is one the radio cannot take; `filter`
// is the filter in use (1-3), kept by a mode set that asks for no particular passband.
struct SetPlan {
    std::vector<Step> steps;
    // What the cache may take as read once the radio said OK, for a set whose value is not
    // read back.
    std::optional<QByteArray> impliedAnswer;
    bool vfoChange = false;  // the frequency and mode cached are the other VFO's from now on
};
std::optional<SetPlan> PlanSet(const rigserver::RigCommand& command, int filter);

// The payload of each step's answer among the radio's answer frames (RadioAnswers), matched
// in order: a read by its command bytes, a set by OK or NG. Frames between them (another
// request's answers in the same window) are passed over.
std::vector<std::optional<QByteArray>> MatchAnswers(const std::vector<Step>& steps,
                                                    const std::vector<QByteArray>& answers);

// A set's report from its answer: OK, NG (rejected) or none (timeout).
int SetResult(const std::optional<QByteArray>& answer);

// The five BCD bytes of a frequency, 1 Hz digits first.
QByteArray FrequencyBytes(std::int64_t hz);

}  // namespace talvex::server
