#include "radio_ready.h"

#include "exit_codes.h"

#include "link/connection_doctor.h"

#include <QCoreApplication>
#include <QTimer>

namespace talvex::cli {

std::optional<int> RefuseUnreadyRadio(Program& program, Output& output)
{
    std::optional<StartupVerdict> verdict;
    program.link.setStartupJudge([&verdict](const StartupVerdict& judged) {
        verdict = judged;
        QCoreApplication::exit(0);
    });
    // A port that goes away stops the chain where it stands: its answer never comes.
    QTimer portWatch;
    portWatch.callOnTimeout([&program] {
        if (program.state.PortReady != 1)
            QCoreApplication::exit(0);
    });
    portWatch.start(100);
    program.link.startQueryChain();
    QCoreApplication::exec();
    program.link.setStartupJudge({});
    if (!verdict)
        return kExitNoRadio;
    const ProgramState& state = program.state;
    for (const LineFinding& finding : verdict->findings)
        output.error(AdviceText(finding, state.ConfigCommBaud, state.ConfigCommPort, program.link.radioAddress()));
    if (!verdict->findings.empty())
        return kExitNoRadio;
    if (!verdict->answered) {
        output.error(
            QStringLiteral("RADIO NOT READY: the radio's answer to the start-up questions did not come whole"));
        return kExitNoRadio;
    }
    return std::nullopt;
}

}  // namespace talvex::cli
