#include "app/stickcontroller.h"
#include "mainscreen/mainmenus.h"
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
        SettingsStore::WriteValue("1", "MARUNEXT", "PR", h.settingsPath());
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
    h.form().MoveGetListIn();
    ASSERT_TRUE(h.find<QFrame>("Pickframe")->isVisible());
    h.action("mbou")->trigger();
    // Out of the main window, into a window of its own, and it stays there.
    EXPECT_TRUE(h.form().externalShown());
    h.action("mbou")->trigger();
    EXPECT_FALSE(h.find<QFrame>("Pickframe")->isVisible());
    EXPECT_TRUE(h.form().externalShown());
}

TEST_F(StickTest, TheStripCarriesTheProgramsIconAndNameAndItsOwnTimerBar)
{
    h.action("mbou")->trigger();
    EXPECT_FALSE(strip()->windowIcon().isNull());
    EXPECT_EQ(strip()->windowIcon().cacheKey(), h.form().windowIcon().cacheKey());
    // Without a number to show, the caption names the program.
    h.form().stick().setCaption(QString());
    EXPECT_EQ(strip()->windowTitle(), QStringLiteral("ケルナ"));
    auto* bar = strip()->findChild<QFrame*>("iroPic");
    for (bool on : {true, false, true}) {
        h.action("mdiroch")->trigger(); // from the strip's popup
        EXPECT_EQ(bar->isVisible(), on);
    }
}

TEST_F(StickTest, AnswersReachTheStripAloneUnlessTakenWithTheGetButton)
{
    h.action("mbou")->trigger();
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    h.find<QToolButton>("listSkipbtn")->click();
    EXPECT_EQ(strip()->bouarea()->text(), QStringLiteral("りんご"));
    h.timers.advance(1400);
    ASSERT_EQ(strip()->bouarea()->text(), "book");
    h.find<QToolButton>("listmaru")->click();
    EXPECT_EQ(strip()->bouarea()->text(), QStringLiteral("book 本"));
}

TEST_F(StickTest, OpeningFromTheStripRaisesTheDialogAndThenTheStripAgain)
{
    h.action("mbou")->trigger();
    h.platform.topmostCalls.clear();
    h.platform.openAnswers.push_back(h.path("w.txt"));
    h.action("mdopen")->trigger();
    ASSERT_EQ(h.platform.openRequests.size(), 2u);
    ASSERT_GE(h.platform.topmostCalls.size(), 3u);
    EXPECT_EQ(h.platform.topmostCalls[0], std::make_pair<QWidget*>(&h.form(), true));
    EXPECT_EQ(h.platform.topmostCalls[1], std::make_pair<QWidget*>(&h.form(), false));
    EXPECT_EQ(h.platform.topmostCalls.back(), std::make_pair<QWidget*>(strip(), true));
}

TEST_F(StickTest, FocusScreenAndStripEachGiveBackTheirOwnRectangle)
{
    h.form().setGeometry(100, 120, 700, 500);
    const QRect before = h.form().geometry();
    h.find<QToolButton>("Focusbtn")->click();
    const QRect focus = h.form().geometry();
    h.action("mdbou")->trigger();
    h.action("mdbou")->trigger();
    EXPECT_EQ(h.form().geometry(), focus);
    h.find<QToolButton>("FocusBackbtn")->click();
    EXPECT_EQ(h.form().geometry(), before);

    // The first Start from the focus screen leaves the GET list out of it.
    h.find<QToolButton>("Focusbtn")->click();
    h.find<QToolButton>("Startbtn")->click();
    EXPECT_TRUE(h.find<QFrame>("Pickframe")->isHidden());
}
