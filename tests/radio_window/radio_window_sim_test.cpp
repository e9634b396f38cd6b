// The Radio window on the real serial port against talvex-sim: what the operator clicks reaches
// the radio, and what the radio answers stands in the fields.
#include "radio/window/radio_main.h"

#include "tests/support/click.h"
#include "tests/support/sim_program.h"

#include <QFile>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

TEST(RadioWindowAgainstSim, FrequencyModeAndAMemoryChannelGoToTheRadioAndComeBack)
{
    QTemporaryDir memoryDirectory;
    const QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    QFile memory(memoryPath);
    ASSERT_TRUE(memory.open(QIODevice::WriteOnly) && memory.write("ch 5: blank\n") > 0);
    memory.close();
    SimProgram run{{QStringLiteral("--memory"), memoryPath}};
    ASSERT_TRUE(run.ready() && run.startUp());
    RadioMain window(run.program->controls());
    window.show();
    const auto fields = [&window] {
        QStringList texts;
        for (const char* name : {"Text2", "Text1", "Text4", "Text5", "Text6"})
            texts << window.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
        return texts;
    };
    // A click, then every answer the radio gives to it, each read when the answer window ends.
    const auto clickAndRead = [&](const char* control, const QStringList& typed) {
        for (const QString& answer : typed)
            run.dialogs.answerInput(answer);
        Click(*window.findChild<QWidget*>(QString::fromLatin1(control)));
        run.readAnswers();
        return fields();
    };
    EXPECT_EQ(fields().at(1), u"14.074.0");  // the start-up chain's reading
    EXPECT_EQ(clickAndRead("Option42", {"7100"}).at(1), u"07.100.0");
    EXPECT_EQ(clickAndRead("Option41", {"cw", "3"}).mid(2, 2), (QStringList{"CW", "Fil 3"}));
    // The write is read back at once: the fields show what the radio now holds in channel 5.
    const QStringList channel5{"5", "03.573.0", "USB", "Fil 2", "FT8 80M   "};
    EXPECT_EQ(clickAndRead("Option44", {"5", "3573", "usb", "2", "FT8 80M"}), channel5);
    ASSERT_TRUE(memory.open(QIODevice::ReadOnly));
    EXPECT_TRUE(memory.readAll().contains(
        "ch 5: 00 05 00 00 30 57 03 00 01 02 00 00 10 00 00 10 00 00 30 57 03 00 01 02 00 00 10 00 00 10 00 "
        "46 54 38 20 38 30 4D 20 20 20"));
    // Read again from a clean display: the answer, not what the write left, fills the fields.
    EXPECT_EQ(clickAndRead("Command36", {}), QStringList(5, QStringLiteral(" ")));
    EXPECT_EQ(clickAndRead("Option45", {"5"}), channel5);
    EXPECT_TRUE(run.dialogs.messages.empty());
}

}  // namespace
}  // namespace talvex::testing
