// The System Setup, Data File Setup and splash windows on the scripted platform: what their
// controls show, and that each control reaches the program.
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

class StartupWindows : public ::testing::Test {
protected:
    StartupWindows()
    {
        t.writeFile(QStringLiteral("TALVEX.TXT"), {});
        program.state.ConfigCommPort = QStringLiteral("COM5");
        program.state.ConfigCommBaud = QStringLiteral("9600,N,8,1");
        program.state.ConfigCallSign = QStringLiteral("K1ABC");
        program.state.ConfigDeftFile = t.path(QStringLiteral("TALVEX.TXT"));
    }
    template <typename Widget = QWidget>
    static Widget& find(QWidget* window, const char* name)
    {
        auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
        if (widget == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }
    void type(QWidget* window, const char* box, const char* text)
    {
        find<QLineEdit>(window, box).clear();
        QTest::keyClicks(&find<QLineEdit>(window, box), QString::fromLatin1(text));
    }
    TestProgram t;
    RecordingShell& shell = t.shell;
    Program& program = *t.program;
};

TEST_F(StartupWindows, SetupShowsTheConfigurationEditsItAsTypedAndSaveWritesItAndCloses)
{
    QPointer<SetupMain> setup = new SetupMain(program.controls());
    setup->show();
    EXPECT_EQ(setup->windowTitle(), u"System Setup");
    EXPECT_EQ(find<QRadioButton>(setup, "Option8").text(), u"Com 5");
    EXPECT_TRUE(find<QRadioButton>(setup, "Option8").isChecked());
    EXPECT_TRUE(find<QRadioButton>(setup, "Option5").isChecked());  // "9600,N,8,1"
    EXPECT_EQ(find<QLineEdit>(setup, "Text1").text(), u"K1ABC");
    EXPECT_EQ(find<QLineEdit>(setup, "Text2").text(), u"TALVEX.TXT");
    QStringList menus;
    for (const QAction* action : setup->menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Quit", "&Save", "&Help"}));

    Click(find<QRadioButton>(setup, "Option3"));
    Click(find<QRadioButton>(setup, "Option6"));
    type(setup, "Text1", "w1aw");
    type(setup, "Text2", "ham");
    EXPECT_EQ(find<QLineEdit>(setup, "Text1").text(), u"w1aw");
    EXPECT_EQ(program.state.ConfigDeftFile, u"ham.txt");
    t.writeFile(QStringLiteral("HAM.TXT"), {});
    Click(find(setup, "Command0"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(setup.isNull());  // closed and gone; the next Setup loads anew
    EXPECT_TRUE(t.readFile(QStringLiteral("TALVEX.INI"))
                    .contains("[DeftFile] HAM.TXT\r\n[CallSign] W1AW\r\n[CommPort] COM3\r\n[CommBaud] 4800,N,8,1\r\n"));
    EXPECT_EQ(t.port.lastPortNumber, 3);
}

TEST_F(StartupWindows, QuittingSetupKeepsTheChoicesAndWithTheConfigurationMissingEndsTheProgram)
{
    auto setup = std::make_unique<SetupMain>(program.controls());
    setup->show();
    Click(find<QRadioButton>(setup.get(), "Option2"));
    Click(find(setup.get(), "Command1"));
    EXPECT_EQ(program.state.ConfigCommPort, u"COM2");  // kept for a later Save
    program.state.ConfigMissing = true;
    setup = std::make_unique<SetupMain>(program.controls());
    setup->show();
    EXPECT_THROW(find<QAction>(setup.get(), "Quit").trigger(), ProgramEnded);
    EXPECT_EQ(t.dialogs.messages.back().text, u"Restart program!");
}

TEST_F(StartupWindows, DataFileSetupShowsTheCurrentAndTheChosenFileAndReturnBlanksTheMemoryWindow)
{
    QString name = QStringLiteral("TALVEX.TXT");
    EXPECT_FALSE(program.dataFile.OpenDataFile(name, FileMode::Input).failure);
    QPointer<DataMain> window = new DataMain(program.controls());
    window->show();
    EXPECT_EQ(window->windowTitle(), u"Data File Setup");
    EXPECT_EQ(find<QLineEdit>(window, "Text1").text(), program.state.CurrentDataFile);
    EXPECT_EQ(find<QLineEdit>(window, "Text2").text(), u"");
    const QString fresh = t.path(QStringLiteral("fresh channels.txt"));
    t.dialogs.answerFile(fresh);
    Click(find(window, "Command3"));
    EXPECT_EQ(find<QLineEdit>(window, "Text1").text(), u"");
    EXPECT_EQ(find<QLineEdit>(window, "Text2").text(), fresh);
    EXPECT_TRUE(find<QLineEdit>(window, "Text2").font().bold());
    program.memoryTexts.fields().Text1 = QStringLiteral("7");
    find<QAction>(window, "Quit").trigger();
    EXPECT_EQ(program.memoryTexts.fields().Text1, u"7");  // Quit leaves the Memory window alone

    window = new DataMain(program.controls());
    window->show();
    EXPECT_EQ(find<QLineEdit>(window, "Text1").text(), fresh);
    MemoryFields& m = program.memoryTexts.fields();
    m = {"7", "*", "14.074.0", "USB", "Fil 2", "FT8", "line", fresh, "STATUS", true};
    Click(find(window, "Command0"));  // Return, unlike Quit, blanks the fields; the file line stays
    EXPECT_EQ((QStringList{m.Text1, m.Text2, m.Text3, m.Text4, m.Text5, m.Text6, m.Text7}), QStringList(7, QString()));
    EXPECT_EQ(m.Text8, fresh);
}

// The splash sets the traffic display to hex and closes when its two seconds are up, on a click
// on its panel or on a key, bringing the Radio window forward; a click on its red border does nothing.
TEST_F(StartupWindows, TheSplashShowsItsTextsAndClosesOnTimeOnAClickOrOnAKey)
{
    const std::pair<const char*, std::function<void(SplashMain&, ManualTimer&)>> ways[] = {
        {"time up", [](SplashMain&, ManualTimer& timer) { timer.fire(); }},
        {"panel click", [](SplashMain& s, ManualTimer&) { QTest::mouseClick(&find(&s, "imgLogo"), Qt::LeftButton); }},
        {"key", [](SplashMain& s, ManualTimer&) { QTest::keyClick(&find(&s, "Text1"), Qt::Key_A); }},
        {"border click", [](SplashMain& s, ManualTimer&) { QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(2, 2)); }},
    };
    for (const auto& [why, close] : ways) {
        SCOPED_TRACE(why);
        program.state.HexDisplay = false;
        const int shown = shell.radioShown;
        QPointer<SplashMain> splash = new SplashMain(program.controls());
        splash->show();
        ManualTimer& timer = *t.timers.timers.back();
        EXPECT_TRUE(program.state.HexDisplay);
        QStringList texts;
        for (const char* label : {"lblProductName", "lblCompanyProduct", "lblPlatform", "lblVersion", "lblDate"})
            texts << find<QLabel>(splash, label).text();
        EXPECT_EQ(texts, (QStringList{"IC-7300", "N0CALL", "TALVEX developers", "Version 2.00", "March 2019"}));
        EXPECT_EQ(find<QLineEdit>(splash, "Text1").text(), u"Click to Continue");
        EXPECT_EQ(timer.interval(), 2000);
        EXPECT_TRUE(timer.isEnabled());
        close(*splash, timer);
        const bool closes = std::string(why) != "border click";
        EXPECT_EQ(splash.isNull() || !splash->isVisible(), closes);
        EXPECT_EQ(timer.isEnabled(), !closes);
        EXPECT_EQ(shell.radioShown, shown + (closes ? 1 : 0));
        delete splash.data();
    }
}

}  // namespace
}  // namespace talvex::testing
