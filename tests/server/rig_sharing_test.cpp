// The rig server in the program, on the scripted line and a scripted socket: System Setup's
// Save reopens the port and moves the server while a client holds the transmitter.
#include "app/rig_sharing.h"

#include "tests/support/scripted_tcp.h"
#include "tests/support/test_program.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

struct SaveRow {
    const char* name;
    const char* typed;                  // the Rig Server field as Save finds it
    int port;                           // the serial port chosen with it
    std::optional<QString> listenError; // what taking the new address meets
    std::optional<QString> listening;   // where the server listens afterwards
    bool clientClosed;
    const char* notice;
};

class SetupSave : public testing::OpenProgram, public ::testing::TestWithParam<SaveRow> {
protected:
    SetupSave()
    {
        writeFile(QStringLiteral("TALVEX.TXT"), {});
        writeFile(kServerSettingFile, {QStringLiteral("[RigServer] 127.0.0.1:4532")});
        sharing.start(ServerAddress{});
    }
    // What the program wrote, echoed and each frame answered OK, and the window closed.
    QStringList answered()
    {
        const QByteArray written = port.takeWritten();
        port.receive(written + testing::Hex("FE FE E0 94 FB FD").repeated(written.count('\xFD')));
        closeAnswerWindow();
        return testing::FramesOf(written);
    }

    testing::ScriptedServer socket;
    testing::ScriptedClock clock;
    RigSharing sharing{*program, socket, clock};
};

// Whatever Save changes, the keyed transmitter is released once, while the port is still
// open, before the port closes and before its client is let go.
TEST_P(SetupSave, ReleasesTheTransmitterBeforeThePortClosesAndMovesTheServer)
{
    const SaveRow& row = GetParam();
    testing::ScriptedClient& wsjtx = socket.connect();
    wsjtx.send("T 1\n");
    ASSERT_EQ(answered(), QStringList{"1C 00 01"});
    ASSERT_EQ(wsjtx.written, "RPRT 0\n");

    program->setup.choicesShown();
    program->setup.choosePort(row.port);
    program->setup.setRigServer(QString::fromLatin1(row.typed));
    socket.nextListenError = row.listenError;
    EXPECT_TRUE(program->setup.Save());

    EXPECT_EQ(testing::FramesOf(port.takeWritten()), QStringList{"1C 00 00"});
    EXPECT_EQ(port.writesWhileClosed, 0);
    EXPECT_EQ(port.lastPortNumber, row.port);
    EXPECT_EQ(socket.listening, row.listening);
    EXPECT_EQ(wsjtx.closeAsked, row.clientClosed);
    EXPECT_TRUE(program->state.ServerNotice.startsWith(QString::fromLatin1(row.notice)))
        << program->state.ServerNotice.toStdString();
    const QString box = dialogs.messages.empty() || dialogs.messages.back().title != u"Rig Server"
                            ? QString()
                            : dialogs.messages.back().text;
    EXPECT_EQ(box.contains(QStringLiteral("127.0.0.1:4533 ... ") + row.listenError.value_or(QStringLiteral("-"))),
              row.listenError.has_value())
        << box.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Saves, SetupSave, ::testing::Values(
    SaveRow{"AnotherSerialPort", "127.0.0.1:4532", 2, std::nullopt, "127.0.0.1:4532", false,
            "Rig server: listening on 127.0.0.1:4532"},
    SaveRow{"AnotherAddress", "4533", 1, std::nullopt, "127.0.0.1:4533", true, "Rig server: listening on 127.0.0.1:4533"},
    SaveRow{"Off", "", 1, std::nullopt, std::nullopt, true, "Rig server: stopped"},
    SaveRow{"AddressInUse", "4533", 1, QStringLiteral("The address is already in use"), std::nullopt, true,
            "Rig server: cannot listen on 127.0.0.1:4533"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupSave, StartsAServerThatWasOff)
{
    sharing.serve(std::nullopt);
    writeFile(kServerSettingFile, {QStringLiteral("[RigServer] OFF")});
    program->setup.choicesShown();
    program->setup.setRigServer(QStringLiteral("0.0.0.0:4534"));
    EXPECT_TRUE(program->setup.Save());
    EXPECT_EQ(socket.listening, QStringLiteral("0.0.0.0:4534"));
    testing::ScriptedClient& fldigi = socket.connect();
    fldigi.send("T 1\n");
    EXPECT_EQ(answered(), QStringList{"1C 00 01"});
    EXPECT_EQ(fldigi.written, "RPRT 0\n");
}

}  // namespace
}  // namespace talvex
