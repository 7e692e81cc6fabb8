#include "mainscreen/mainmenus.h"
#include "app/stickcontroller.h"
#include "settings/settingsstore.h"
#include "study/stickscreen.h"
#include "support/harness.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

class StickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SettingsStore::WriteValue("1", "NUMDISP3", "PR", h.settingsPath());
        SettingsStore::WriteValue("14", "SFONTSIZE", "STICK", h.settingsPath());
        h.start();
        h.form().show();
        h.form().setGeometry(150, 160, 720, 520);
        const QString path = h.path("w.txt");
        writeBytes(path, sjis(QStringLiteral("apple,りんご\r\nbook,本\r\ncat,ねこ\r\n")));
        h.open(path);
        h.find<QRadioButton>("Rndop_1")->setChecked(true);
        h.find<QComboBox>("Seccom")->setCurrentText("3");
    }
    bougamen* strip() { return h.form().stick().strip(); }

    Form1Harness h;
};

} // namespace

TEST_F(StickTest, ShowsInPlaceOfTheMainWindowAndBringsItBack)
{
    const QRect before = h.form().geometry();
    h.find<QToolButton>("boubtn")->click();
    ASSERT_NE(strip(), nullptr);
    EXPECT_TRUE(strip()->isVisible());
    EXPECT_FALSE(h.form().isVisible());
    EXPECT_TRUE(h.action("mbou")->isChecked());
    EXPECT_TRUE(h.action("mdbou")->isChecked());
    for (const char* name : {"mdfocus", "mdmae", "mdssize", "mdttakasa"})
        EXPECT_FALSE(h.action(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_EQ(strip()->bouarea()->font().pointSize(), 14);

    h.action("mdbou")->trigger();
    EXPECT_FALSE(strip()->isVisible());
    EXPECT_TRUE(h.form().isVisible());
    EXPECT_EQ(h.form().geometry(), before);
    EXPECT_FALSE(h.action("mbou")->isChecked());
    for (const char* name : {"mdfocus", "mdmae", "mdssize", "mdttakasa"})
        EXPECT_TRUE(h.action(QString::fromLatin1(name))->isEnabled()) << name;
}

TEST_F(StickTest, StudyShowsTheItemAndItsNumberOnTheStrip)
{
    h.action("mbou")->trigger();
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    EXPECT_EQ(strip()->bouarea()->text(), "apple");
    EXPECT_EQ(strip()->windowTitle(), QStringLiteral(" No.1/3"));
    h.timers.advance(1500);
    EXPECT_EQ(strip()->bouarea()->text(), QStringLiteral("りんご"));
}

TEST_F(StickTest, ClosingWritesTheStripsLookAndABrokenSectionIsRepaired)
{
    h.action("mbou")->trigger();
    QFont f = strip()->bouarea()->font();
    f.setPointSize(20);
    strip()->bouarea()->setFont(f);
    strip()->close();
    EXPECT_FALSE(h.action("mbou")->isChecked());
    EXPECT_EQ(SettingsStore::ReadValue("SFONTSIZE", "STICK", h.settingsPath()), "20");

    SettingsStore::WriteValue("big", "SFONTSIZE", "STICK", h.settingsPath());
    h.action("mbou")->trigger();
    EXPECT_EQ(SettingsStore::ReadValue("SFONTSIZE", "STICK", h.settingsPath()), "11");
    EXPECT_EQ(strip()->bouarea()->font().pointSize(), 11);
}

TEST_F(StickTest, TheGetListLeavesTheMainScreen)
{
    h.find<QToolButton>("Pickbtn")->click();
    ASSERT_TRUE(h.find<QFrame>("Pickframe")->isVisible());
    h.action("mbou")->trigger();
    h.action("mbou")->trigger();
    EXPECT_FALSE(h.find<QFrame>("Pickframe")->isVisible());
}
