// The System Setup, Data File Setup and splash windows on the scripted platform.
#include "startup/windows/data_main.h"
#include "startup/windows/setup_main.h"
#include "startup/windows/splash_main.h"

#include "tests/support/click.h"
#include "tests/support/test_program.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

class AuxiliaryWindows : public ::testing::Test {
protected:
    AuxiliaryWindows() : program(PlatformServices{t.port, t.dialogs, t.timers, t.exit, t.directory.path()}, shell)
    {
        t.writeFile(QStringLiteral("TALVEX.TXT"), {});
    }
    void configure(const QString& commPort)
    {
        program.state.ConfigCommPort = commPort;
        program.state.ConfigCommBaud = QStringLiteral("9600,N,8,1");
        program.state.ConfigCallSign = QStringLiteral("K1ABC");
        program.state.ConfigDeftFile = t.path(QStringLiteral("TALVEX.TXT"));
    }
    template <typename Widget>
    static Widget& find(QWidget& window, const char* name)
    {
        auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
        if (widget == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }
    QByteArray config() const { return t.readFile(QStringLiteral("TALVEX.INI")); }

    TestProgram t;
    RecordingShell shell;
    Program program;
};

TEST_F(AuxiliaryWindows, SetupShowsTheConfigurationAndEditsItAsTheOperatorTypes)
{
    configure(QStringLiteral("COM5"));
    QPointer<SetupMain> setup = new SetupMain(program.controls());
    setup->show();
    EXPECT_EQ(setup->windowTitle(), u"System Setup");
    EXPECT_TRUE(find<QRadioButton>(*setup, "Option8").isChecked());  // "Com 5"
    EXPECT_EQ(find<QRadioButton>(*setup, "Option8").text(), u"Com 5");
    EXPECT_TRUE(find<QRadioButton>(*setup, "Option5").isChecked());  // "9600,N,8,1"
    EXPECT_EQ(find<QLineEdit>(*setup, "Text1").text(), u"K1ABC");
    EXPECT_EQ(find<QLineEdit>(*setup, "Text2").text(), u"TALVEX.TXT");

    Click(find<QRadioButton>(*setup, "Option3"));
    EXPECT_EQ(program.state.ConfigCommPort, u"COM3");
    Click(find<QRadioButton>(*setup, "Option6"));
    EXPECT_EQ(program.state.ConfigCommBaud, u"4800,N,8,1");
    auto& callSign = find<QLineEdit>(*setup, "Text1");
    callSign.clear();
    QTest::keyClicks(&callSign, QStringLiteral("w1aw"));
    EXPECT_EQ(program.state.ConfigCallSign, u"W1AW");
    EXPECT_EQ(callSign.text(), u"w1aw");
    auto& dataFile = find<QLineEdit>(*setup, "Text2");
    dataFile.clear();
    QTest::keyClicks(&dataFile, QStringLiteral("ham"));
    EXPECT_EQ(program.state.ConfigDeftFile, u"ham.txt");

    QStringList menus;
    for (const QAction* action : setup->menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"File", "Quit", "Save", "Help"}));

    t.writeFile(QStringLiteral("HAM.TXT"), {});
    QTest::mouseClick(&find<QWidget>(*setup, "Command0"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(setup.isNull());  // closed and gone; the next Setup loads anew
    EXPECT_TRUE(config().contains("[DeftFile] HAM.TXT\r\n[CallSign] W1AW\r\n[CommPort] COM3\r\n[CommBaud] 4800,N,8,1\r\n"));
    EXPECT_EQ(t.port.lastPortNumber, 3);
    EXPECT_EQ(program.state.memory.Text7, u"Setup Process Complete");
}

TEST_F(AuxiliaryWindows, QuittingSetupWritesNothingAndWithTheConfigurationMissingEndsTheProgram)
{
    configure(QStringLiteral("COM1"));
    auto* setup = new SetupMain(program.controls());
    setup->show();
    Click(find<QRadioButton>(*setup, "Option2"));
    QTest::mouseClick(&find<QWidget>(*setup, "Command1"), Qt::LeftButton);
    EXPECT_TRUE(config().isEmpty());
    EXPECT_EQ(t.port.openCount, 0);
    EXPECT_EQ(program.state.ConfigCommPort, u"COM2");  // kept for a later Save

    program.state.ConfigMissing = true;
    setup = new SetupMain(program.controls());
    setup->show();
    EXPECT_THROW(find<QAction>(*setup, "Quit").trigger(), ProgramEnded);
    EXPECT_EQ(t.dialogs.messages.back().text, u"Restart program!");
    EXPECT_TRUE(config().isEmpty());
    delete setup;
}

TEST_F(AuxiliaryWindows, DataFileSetupShowsTheCurrentFileAndReturnBlanksTheMemoryWindow)
{
    configure(QStringLiteral("COM1"));
    QString name = QStringLiteral("TALVEX.TXT");
    program.dataFile.OpenDataFile(name, FileMode::Input);
    QPointer<DataMain> window = new DataMain(program.controls());
    window->show();
    EXPECT_EQ(window->windowTitle(), u"Data File Setup");
    EXPECT_EQ(find<QLineEdit>(*window, "Text1").text(), program.state.CurrentDataFile);
    EXPECT_EQ(find<QLineEdit>(*window, "Text2").text(), u"");

    const QString fresh = t.path(QStringLiteral("fresh channels.txt"));
    t.dialogs.answerFile(fresh);
    QTest::mouseClick(&find<QWidget>(*window, "Command3"), Qt::LeftButton);
    EXPECT_EQ(find<QLineEdit>(*window, "Text1").text(), u"");
    EXPECT_EQ(find<QLineEdit>(*window, "Text2").text(), fresh);
    EXPECT_TRUE(find<QLineEdit>(*window, "Text2").font().bold());

    program.state.memory.Text1 = QStringLiteral("7");
    find<QAction>(*window, "Quit").trigger();
    EXPECT_EQ(program.state.memory.Text1, u"7");  // Quit leaves the Memory window alone

    window = new DataMain(program.controls());
    window->show();
    EXPECT_EQ(find<QLineEdit>(*window, "Text1").text(), fresh);
    QTest::mouseClick(&find<QWidget>(*window, "Command0"), Qt::LeftButton);
    EXPECT_EQ(program.state.memory.Text1, u"");
    EXPECT_EQ(program.state.memory.Text8, fresh);
}

class SplashTest : public AuxiliaryWindows {
protected:
    SplashTest()
    {
        program.state.HexDisplay = false;
        splash = new SplashMain(program.controls());
        splash->show();
    }
    ~SplashTest() override { delete splash.data(); }
    ManualTimer& timer1() { return *t.timers.timers.back(); }
    bool closed() const { return splash.isNull() || !splash->isVisible(); }

    QPointer<SplashMain> splash;
};

TEST_F(SplashTest, ShowsItsTextsAndSetsTheTrafficDisplayToHex)
{
    EXPECT_TRUE(program.state.HexDisplay);
    QStringList texts;
    for (const char* name : {"lblProductName", "lblCompanyProduct", "lblPlatform", "lblVersion", "lblDate"})
        texts << find<QLabel>(*splash, name).text();
    EXPECT_EQ(texts, (QStringList{"IC-7300", "N0CALL", "TALVEX developers", "Version 2.00", "March 2019"}));
    EXPECT_EQ(find<QLineEdit>(*splash, "Text1").text(), u"Click to Continue");
    EXPECT_EQ(timer1().interval(), 2000);
    EXPECT_TRUE(timer1().isEnabled());
}

TEST_F(SplashTest, ClosesWhenItsTimeIsUpAndBringsTheRadioWindowForward)
{
    EXPECT_FALSE(closed());
    timer1().fire();
    EXPECT_TRUE(closed());
    EXPECT_FALSE(timer1().isEnabled());
    EXPECT_EQ(shell.radioShown, 1);
}

TEST_F(SplashTest, ClosesAtOnceOnAClickOnThePanelOrOnAKey)
{
    QTest::mouseClick(&find<QWidget>(*splash, "imgLogo"), Qt::LeftButton);
    EXPECT_TRUE(closed());
    EXPECT_EQ(shell.radioShown, 1);
    EXPECT_FALSE(timer1().isEnabled());

    delete splash.data();
    splash = new SplashMain(program.controls());
    splash->show();
    QTest::keyClick(&find<QWidget>(*splash, "Text1"), Qt::Key_A);
    EXPECT_TRUE(closed());
    EXPECT_EQ(shell.radioShown, 2);
}

TEST_F(SplashTest, AClickOnTheRedBorderDoesNothing)
{
    QTest::mouseClick(splash.data(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(closed());
    EXPECT_EQ(shell.radioShown, 0);
}

}  // namespace
}  // namespace talvex::testing
