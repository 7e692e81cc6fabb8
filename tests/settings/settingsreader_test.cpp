#include "settings/settingsreader.h"
#include "settings/settingsstore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace keruna;

// A reader keeps the file it read only while nothing is written: every read still gives
// what the file holds at that moment.
TEST(SettingsReader, SeesEveryWriteMadeBetweenItsReads)
{
    QTemporaryDir dir;
    const QString path = SettingsStore::settingsPath(dir.path());
    const SettingsReader r(path);
    EXPECT_EQ(r.text("FORM", "SEC"), "ERROR");
    for (const char* value : {"3", "13", ""}) {
        ASSERT_TRUE(SettingsStore::WriteValue(QString::fromLatin1(value), "SEC", "FORM", path));
        EXPECT_EQ(r.text("FORM", "SEC"), QString::fromLatin1(value));
        EXPECT_EQ(r.text("form", "sec"), QString::fromLatin1(value));
        EXPECT_EQ(r.text("FORM", "SEC"), SettingsStore::ReadValue("SEC", "FORM", path));
    }
    EXPECT_EQ(r.int16("FORM", "SEC"), std::nullopt);
}
