#pragma once

#include "scripted_platform.h"
#include "scripted_radio.h"

#include "app/program.h"

#include <QStringList>

#include <functional>
#include <QTemporaryDir>

#include <memory>
#include <ostream>

namespace talvex::testing {
// The Memory window's step timers, by operation.
using Step = MemoryOperations::StepTimer;
}  // namespace talvex::testing

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace talvex::testing {

// Records every window the program asks for.
class RecordingShell final : public WindowShell {
public:
    void showSplash() override { ++splashShown; }
    void showSetup() override { ++setupShown; }
    void showMemoryWindow() override { ++memoryShown; }
    void showDataSetup() override { ++dataSetupShown; }
    void showRadioWindow() override { ++radioShown; }
    void showChannelEditor() override { ++channelEditorShown; }
    int splashShown = 0;
    int setupShown = 0;
    int memoryShown = 0;
    int dataSetupShown = 0;
    int radioShown = 0;
    int channelEditorShown = 0;
};

// A whole program on the scripted platform, in a fresh working directory of its own.
struct TestProgram {
    TestProgram();

    QString path(const QString& name) const;
    // Writes a file in the working directory, lines ending CR LF.
    void writeFile(const QString& name, const QStringList& lines) const;
    QByteArray readFile(const QString& name) const;
    // A complete TALVEX.INI for port COM1 at the given settings.
    void writeConfig(const QString& deftFile = QStringLiteral("TALVEX.TXT"),
                     const QString& commBaud = QStringLiteral("19200,N,8,1"),
                     const QString& commPort = QStringLiteral("COM1"),
                     const QString& callSign = QStringLiteral("N0CALL")) const;

    ManualTimer& timer1() const { return static_cast<ManualTimer&>(program->link.broadcastPollTimer()); }
    ManualTimer& timer2() const { return static_cast<ManualTimer&>(program->link.answerTimer()); }

    QTemporaryDir directory;
    ScriptedSerialPort port;
    ScriptedDialogs dialogs;
    ManualTimerFactory timers;
    ThrowingExit exit;
    RecordingShell shell;
    std::unique_ptr<Program> program;
};

// The frames in `bytes` addressed to the radio, as the hex text of what stands between the
// prefix FE FE 94 E0 and FD ("08 00 05").
QStringList FramesOf(const QByteArray& bytes);

// A program with its port open on the scripted line, and a radio on it that answers.
struct OpenProgram : TestProgram {
    OpenProgram();
    ManualTimer& memoryTimer(Step step) const;
    // The answer window that is open closes, as it would before the next 300 ms tick; then the
    // memory timer `number` ticks once. The frames that tick sent, which the radio answers.
    QStringList tick(Step step);
    // The answer window closes now (its timer ticks), if one is open.
    void closeAnswerWindow();
    // What comes back for what was written: the radio's answer as it gives it, unless a test
    // puts a faulty line (a lost OK, a flipped byte) between the two.
    QByteArray overTheLine(const QByteArray& written) { return line ? line(radio, written) : radio.answer(written); }

    ScriptedRadio radio;
    std::function<QByteArray(ScriptedRadio&, const QByteArray&)> line;
};

// Hex text "FE FE 94 E0 03 FD" as bytes.
QByteArray Hex(const char* text);

}  // namespace talvex::testing
