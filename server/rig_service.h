#pragma once

// The radio behind the server: a client's command answered from the state cache, or sent
// through the queue and answered from the radio's own reply; the owner of the radio decided
// on each command (a memory operation owns it while it runs: reads are answered with the state
// from before it, sets and PTT refused); and a transmitter keyed by a client that went away
// released.

#include "radio_queue.h"
#include "rig_backend.h"
#include "rig_cache.h"

#include "link/serial_link.h"
#include "platform/clock.h"
#include "platform/timer.h"
#include "state/program_state.h"

#include <functional>
#include <optional>

namespace talvex::server {

class RigService final : public RigBackend {
public:
    RigService(ProgramState& state, SerialLink& link, TimerFactory& timers, const Clock& clock,
               std::function<void()> displayChanged);

    void execute(const rigserver::RigCommand& command, const ClientInfo& client, Done done) override;
    void clientGone(const ClientInfo& client) override;
    // The program ends with the port: a transmitter a client keyed is released first, its
    // PTT-off written straight to the line, as nothing will wait for the radio's answer.
    void releaseBeforePortCloses();

    // Every answer window that closed, and the bytes that came between operations: what the
    // radio said feeds the cache.
    void exchangeClosed(const Exchange& closed);
    void bytesBetween(const QByteArray& bytes);

private:
    void read(Reading reading, const rigserver::RigCommand& command, const ClientInfo& client, Done done);
    void set(const rigserver::RigCommand& command, const ClientInfo& client, Done done);
    void answerRead(Reading reading, const rigserver::RigCommand& command, const std::optional<QByteArray>& payload,
                    const Done& done) const;
    void forgetKeyDown(const rigserver::RigCommand& command, const ClientInfo& client);
    void feed(const QByteArray& received);
    // A memory operation started or ended since last looked: at its end, everything cached is
    // from before it and the radio was left elsewhere, so it all goes.
    bool ownedByMemoryOperation();
    void tell(const QString& notice);
    // A set refused because a memory operation owns the radio, told to the operator by client.
    rigserver::Answer refuse(const rigserver::RigCommand& command, const ClientInfo& client);
    std::vector<QByteArray> Frames(const std::vector<Step>& steps) const;

    ProgramState& state_;
    SerialLink& link_;
    const Clock& clock_;
    std::function<void()> displayChanged_;
    RadioQueue queue_;
    RigCache cache_;
    rigserver::Vfo vfo_ = rigserver::Vfo::A;
    std::optional<ClientInfo> pttHolder_;
    bool memoryOperationSeen_ = false;
};

}  // namespace talvex::server
