// The Radio window on the real serial port against talvex-sim: what the operator clicks reaches
// the radio, and what the radio answers stands in the fields.
#include "radio/window/radio_main.h"

#include "tests/support/click.h"
#include "tests/support/sim_program.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

class RadioWindowAgainstSim : public ::testing::Test {
protected:
    RadioWindowAgainstSim()
    {
        QFile memory(memoryPath);
        if (memory.open(QIODevice::WriteOnly))
            memory.write("ch 5: blank\n");
    }

    QString shown(const char* name)
    {
        auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(name));
        return field != nullptr ? field->text() : QStringLiteral("<missing>");
    }

    // A click, then every answer the radio gives to it.
    void clickAndRead(const char* name, const QStringList& typed = {})
    {
        for (const QString& answer : typed)
            run.dialogs.answerInput(answer);
        Click(*window->findChild<QWidget*>(QString::fromLatin1(name)));
        run.readAnswers();
    }

    QTemporaryDir memoryDirectory;
    QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    SimProgram run{{QStringLiteral("--memory"), memoryPath}};
    std::unique_ptr<RadioMain> window;
};

TEST_F(RadioWindowAgainstSim, FrequencyModeAndAMemoryChannelGoToTheRadioAndComeBack)
{
    ASSERT_TRUE(run.ready());
    ASSERT_TRUE(run.startUp());
    window = std::make_unique<RadioMain>(run.program->controls());
    window->show();
    EXPECT_EQ(shown("Text1"), u"14.074.0");  // the start-up chain's reading

    clickAndRead("Option42", {QStringLiteral("7100")});
    EXPECT_EQ(shown("Text1"), u"07.100.0");

    clickAndRead("Option41", {QStringLiteral("cw"), QStringLiteral("3")});
    EXPECT_EQ(shown("Text4"), u"CW");
    EXPECT_EQ(shown("Text5"), u"Fil 3");

    clickAndRead("Option44",
        {QStringLiteral("5"), QStringLiteral("3573"), QStringLiteral("usb"), QStringLiteral("2"),
            QStringLiteral("FT8 80M")});
    // The write is read back at once: the fields show what the radio now holds in channel 5.
    EXPECT_EQ(shown("Text2"), u"5");
    EXPECT_EQ(shown("Text1"), u"03.573.0");
    EXPECT_EQ(shown("Text4"), u"USB");
    EXPECT_EQ(shown("Text5"), u"Fil 2");
    EXPECT_EQ(shown("Text6"), u"FT8 80M   ");

    QFile memory(memoryPath);
    ASSERT_TRUE(memory.open(QIODevice::ReadOnly));
    EXPECT_TRUE(memory.readAll().contains(
        "ch 5: 00 05 00 00 30 57 03 00 01 02 00 00 10 00 00 10 00 00 30 57 03 00 01 02 00 00 10 00 00 10 00 "
        "46 54 38 20 38 30 4D 20 20 20"));

    // Read again from a clean display: the answer, not what the write left, fills the fields.
    QTest::mouseClick(window->findChild<QWidget*>(QStringLiteral("Command36")), Qt::LeftButton);
    ASSERT_EQ(shown("Text1"), u" ");
    clickAndRead("Option45", {QStringLiteral("5")});
    EXPECT_EQ(shown("Text1"), u"03.573.0");
    EXPECT_EQ(shown("Text6"), u"FT8 80M   ");
    EXPECT_TRUE(run.dialogs.messages.empty());
}

}  // namespace
}  // namespace talvex::testing
