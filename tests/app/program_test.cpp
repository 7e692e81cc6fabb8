#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "support/speechdispatcher.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace keruna;

// The real program, started offscreen: it reads its settings, paints its window, closes
// and writes the exit set back.
TEST(Program, StartsPaintsAndClosesSavingItsSettings)
{
    // The program's speech engine starts speech-dispatcher: one of the test's own.
    test::SpeechDispatcherEnvironment speech("null");
    QTemporaryDir dir;
    const QString ini = SettingsStore::settingsPath(dir.path());
    InitSettings(ini);
    SettingsStore::WriteValue("13", "SEC", "FORM", ini);
    SettingsStore::WriteValue("1", "REVERSE", "FORM", ini);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KERUNA_PROGRAM_FOLDER", dir.path());
    env.insert("KERUNA_CLOSE_AFTER_FIRST_PAINT", "1");
    program.setProcessEnvironment(env);
    program.start(QString::fromUtf8(KERUNA_BINARY), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(program.waitForFinished(30000)) << "the program did not close itself";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(SettingsStore::ReadValue("SEC", "FORM", ini), "13");
    EXPECT_EQ(SettingsStore::ReadValue("REVERSE", "FORM", ini), "1");
    EXPECT_EQ(SettingsStore::ReadValue("KUGIRIMOZI", "PR", ini), ",");
}
