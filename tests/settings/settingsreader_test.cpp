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

// Each typed read accepts only what its caller can use; anything else, a missing key
// included, is nullopt, which start-up counts as a broken setting.
TEST(SettingsReader, TypedReadsRefuseWhatTheirCallerCannotUse)
{
    QTemporaryDir dir;
    const QString path = SettingsStore::settingsPath(dir.path());
    using Text = std::optional<QString>;
    struct Case {
        Text stored; // nullopt: the key is missing
        std::optional<int> checkBox, checkBoxOrBool, int16;
        std::optional<qint64> colour;
        std::optional<bool> boolean;
        Text present;
    };
    const Case cases[] = {
        {{}, {}, {}, {}, {}, {}, {}}, // first, while the key is still missing
        {"1", 1, 1, 1, 1, true, "1"},
        {"0", 0, 0, 0, 0, false, "0"},
        {"2", {}, {}, 2, 2, true, "2"},
        {"-1", {}, {}, -1, {}, true, "-1"},
        {"True", {}, 1, {}, {}, true, "True"},
        {"false", {}, 0, {}, {}, false, "false"},
        {"0.5", 0, 0, 0, 0, true, "0.5"}, // rounded half to even
        {"1.5", {}, {}, 2, 2, true, "1.5"},
        {"16777215", {}, {}, {}, 16777215, true, "16777215"},
        {"16777216", {}, {}, {}, {}, true, "16777216"},
        {"32768", {}, {}, {}, 32768, true, "32768"},
        {"abc", {}, {}, {}, {}, {}, "abc"},
        {"", {}, {}, {}, {}, {}, {}},
    };
    ASSERT_TRUE(SettingsStore::WriteValue("x", "OTHER", "PR", path));
    for (const Case& c : cases) {
        if (c.stored) {
            ASSERT_TRUE(SettingsStore::WriteValue(*c.stored, "K", "PR", path));
        }
        const SettingsReader r(path);
        const std::string name = c.stored.value_or("(missing)").toStdString();
        EXPECT_EQ(r.checkBox("PR", "K"), c.checkBox) << name;
        EXPECT_EQ(r.checkBoxOrBool("PR", "K"), c.checkBoxOrBool) << name;
        EXPECT_EQ(r.int16("PR", "K"), c.int16) << name;
        EXPECT_EQ(r.colour("PR", "K"), c.colour) << name;
        EXPECT_EQ(r.boolean("PR", "K"), c.boolean) << name;
        EXPECT_EQ(r.presentText("PR", "K"), c.present) << name;
    }
}
