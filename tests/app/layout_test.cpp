#include "app/layoutcontroller.h"
#include "common/twips.h"
#include "mainscreen/mainmenus.h"
#include "support/harness.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        h.form().show();
    }
    QComboBox* combo(const char* name) { return h.find<QComboBox>(QString::fromLatin1(name)); }
    QLabel* label(const char* name) { return h.find<QLabel>(QString::fromLatin1(name)); }

    Form1Harness h;
};

} // namespace

TEST_F(LayoutTest, SizeRatioAndHeightSetTheLabels)
{
    combo("Sizecom")->setCurrentText("20");
    EXPECT_EQ(label("Label1")->font().pointSize(), 20);
    EXPECT_EQ(label("Label2")->font().pointSize(), 10);
    EXPECT_TRUE(h.action("msize_5")->isChecked());
    EXPECT_TRUE(h.action("mdsize_5")->isChecked());
    h.action("mhiritu_0")->trigger(); // 20 %
    EXPECT_EQ(combo("hiritu")->currentText(), "20");
    EXPECT_EQ(label("Label2")->font().pointSize(), 4);
    h.action("mdtakasa_0")->trigger(); // height 1
    EXPECT_EQ(label("Label1")->y(), twipsToPixels(680));
    EXPECT_TRUE(h.action("mtakasa_0")->isChecked());
    combo("takasacom")->setCurrentText("9");
    EXPECT_EQ(label("Label1")->y(), twipsToPixels(2920));
    // The second line sits below the first by the spacing rule.
    EXPECT_EQ(label("Label2")->y(), twipsToPixels(2920 + 3360 - (120 - 20) * 27));
    combo("Sizecom")->setCurrentText("200"); // beyond the menu's values: no item checked
    for (QAction* a : h.form().menus().array("msize"))
        EXPECT_FALSE(a->isChecked());
}

TEST_F(LayoutTest, ReverseGivesTheFirstSizeToTheFirstColumn)
{
    h.find<QCheckBox>("Revch")->setChecked(true);
    combo("Sizecom")->setCurrentText("40");
    EXPECT_EQ(label("Label1")->font().pointSize(), 20);
    EXPECT_EQ(label("Label2")->font().pointSize(), 40);
}

TEST_F(LayoutTest, FocusScreenAndBackKeepTheWindowRectangle)
{
    h.form().setGeometry(100, 120, 700, 500);
    const QRect before = h.form().geometry();
    combo("Sizecom")->setCurrentText("12");
    h.find<QToolButton>("Focusbtn")->click();
    EXPECT_TRUE(h.action("mfocus")->isChecked());
    EXPECT_TRUE(h.action("mdfocus")->isChecked());
    EXPECT_EQ(h.form().geometry().size(), QSize(twipsToPixels(5000), twipsToPixels(2600)));
    EXPECT_FALSE(h.find<QFrame>("mnuFrame")->isVisible());
    EXPECT_TRUE(h.find<QToolButton>("FocusBackbtn")->isVisible());
    h.find<QToolButton>("FocusBackbtn")->click();
    EXPECT_EQ(h.form().geometry(), before);
    EXPECT_FALSE(h.action("mfocus")->isChecked());
    EXPECT_TRUE(h.find<QFrame>("mnuFrame")->isVisible());
    EXPECT_FALSE(h.find<QToolButton>("FocusBackbtn")->isVisible());

    combo("Sizecom")->setCurrentText("140");
    h.action("mdfocus")->trigger();
    EXPECT_EQ(h.form().geometry().size(), QSize(twipsToPixels(20600), twipsToPixels(8000)));
    h.action("mfocus")->trigger();
    EXPECT_EQ(h.form().geometry(), before);
}

TEST_F(LayoutTest, AlwaysOnTopToggles)
{
    h.action("mdmae")->trigger();
    EXPECT_TRUE(h.action("mmae")->isChecked());
    ASSERT_FALSE(h.platform.topmostCalls.empty());
    EXPECT_EQ(
        h.platform.topmostCalls.back(), std::make_pair(static_cast<QWidget*>(&h.form()), true));
    h.action("mmae")->trigger();
    EXPECT_FALSE(h.action("mdmae")->isChecked());
    EXPECT_EQ(h.platform.topmostCalls.back().second, false);
}

TEST_F(LayoutTest, MeaningLimitMenusAreOneOrNone)
{
    h.action("mnigi")->trigger();
    EXPECT_TRUE(h.action("mnigi")->isChecked());
    EXPECT_TRUE(h.action("mdnigi")->isChecked());
    h.action("mdsangi")->trigger();
    EXPECT_FALSE(h.action("mnigi")->isChecked());
    EXPECT_TRUE(h.action("msangi")->isChecked());
    h.action("msangi")->trigger();
    EXPECT_FALSE(h.action("msangi")->isChecked());
    EXPECT_FALSE(h.action("mdsangi")->isChecked());
}

TEST_F(LayoutTest, IdleAnimationRunsUntilAFileIsOpened)
{
    h.timers.advance(150);
    EXPECT_TRUE(label("Image1_1")->isVisible());
    EXPECT_FALSE(label("Image1_2")->isVisible());
    h.timers.advance(150);
    EXPECT_FALSE(label("Image1_1")->isVisible());
    EXPECT_TRUE(label("Image1_2")->isVisible());
    h.timers.advance(150 * 29);
    EXPECT_FALSE(label("Image1_1")->isVisible());
    EXPECT_FALSE(label("Image1_2")->isVisible());
    EXPECT_TRUE(label("Image1_0")->isVisible());
}

TEST_F(LayoutTest, SplitterMovesTheGetPanelWithinLimits)
{
    h.form().resize(760, 700);
    h.form().MoveGetListIn();
    auto* panel = h.find<QFrame>("Pickframe");
    auto* bar = h.find<QFrame>("Imgspl");
    QApplication::processEvents();
    ASSERT_TRUE(bar->isVisible());
    const int before = panel->height();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 2));
    QMouseEvent move(
        QEvent::MouseMove, QPointF(10, 2 - 60), QPointF(), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, 2 - 60));
    QApplication::processEvents();
    EXPECT_NEAR(panel->height(), before + 60, 8);
    EXPECT_NEAR(h.form().layout().panelHeightTwips(), pixelsToTwips(panel->height()), 15);

    // Dragged far up it stops one button-bar height below the top.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 2));
    QMouseEvent far(
        QEvent::MouseMove, QPointF(10, -5000), QPointF(), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(bar, &far);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, -5000));
    QApplication::processEvents();
    EXPECT_GE(
        h.find<QFrame>("Pickframe")->y(), h.find<QFrame>("mnuFrame")->sizeHint().height() - 8);
}

TEST_F(LayoutTest, ASmallWindowShrinksTheGetPanelBelowTheQuestionAndGivesItBackLater)
{
    writeBytes(h.path("w.txt"), "book,1\r\n");
    h.open(h.path("w.txt"));
    h.find<QToolButton>("Startbtn")->click(); // the panel comes inside at the first start
    h.timers.advance(1);
    auto* panel = h.find<QFrame>("Pickframe");
    ASSERT_TRUE(panel->isVisible());
    const int full = panel->height();
    auto questionShows = [&] {
        QLabel* q = label("Label1");
        const int bottom = q->mapTo(&h.form(), QPoint(0, 0)).y() + q->fontMetrics().height();
        return bottom <= panel->mapTo(&h.form(), QPoint(0, 0)).y();
    };
    for (int i = 0; i < 2; ++i) {
        h.form().resize(400, 200); // as small as the window goes
        QApplication::processEvents();
        EXPECT_LT(panel->height(), full);
        EXPECT_TRUE(questionShows()) << i;
        h.form().resize(760, 700);
        QApplication::processEvents();
        EXPECT_EQ(panel->height(), full) << i;
        EXPECT_TRUE(questionShows()) << i;
    }
}

TEST_F(LayoutTest, ReverseTakesEffectWithTheNextItemFontsIncluded)
{
    writeBytes(h.path("w.txt"), "apple,1\r\nbook,2\r\n");
    h.open(h.path("w.txt"));
    h.find<QRadioButton>("Rndop_1")->setChecked(true);
    combo("Sizecom")->setCurrentText("40"); // 40 and 20 points
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    ASSERT_EQ(label("Label1")->text(), "apple");
    h.find<QCheckBox>("Revch")->setChecked(true);
    combo("takasacom")->setCurrentText("3"); // a layout while the item stays
    EXPECT_EQ(label("Label1")->text(), "apple");
    EXPECT_EQ(label("Label1")->font().pointSize(), 40);
    h.timers.advance(2000);
    EXPECT_EQ(label("Label1")->text(), "2");
    EXPECT_EQ(label("Label1")->font().pointSize(), 20);

    // Closing the GET panel brings the number back to the item area at once.
    h.find<QToolButton>("listclose")->click();
    EXPECT_EQ(label("NoLabel")->text(), QStringLiteral("No. 2 / 2"));
}

TEST_F(LayoutTest, TheTimerBarWaitsForTheEndOfSpeech)
{
    writeBytes(h.path("w.txt"), "apple,1\r\nbook,2\r\n");
    h.open(h.path("w.txt"));
    h.find<QCheckBox>("iroch")->setChecked(true);
    h.find<QCheckBox>("Spkch")->setChecked(true);
    h.action("mOtosaki")->trigger();
    combo("Seccom")->setCurrentText("4"); // a 2000 ms question
    auto* bar = h.find<QFrame>("iro");
    const int full = h.find<QFrame>("iroPic")->width();
    int duringSpeech = -1;
    h.speech.utteranceMs = 1000;
    h.speech.whileSpeaking = [&] {
        h.timers.advance(0); // the bar's own timer runs while the word is heard
        QApplication::processEvents();
        duringSpeech = bar->width();
    };
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    EXPECT_LE(duringSpeech, twipsToPixels(15) + 1); // not grown against the old interval
    h.timers.advance(1000);
    EXPECT_NEAR(bar->width(), full / 2, 4); // half of the question after speech
}

// The answer a typed test shows (答えの確認, Tab) lies whole above the typing row, at the
// window's design size and at its smallest; the GET panel makes the room first.
TEST(TypedTestLayout, TheAnswerShowsWholeAboveTheTypingRow)
{
    const struct {
        TestKind kind;
        const char* reveal;
    } cases[] = {{TestKind::Manual, "syudouKAKUNIN"}, {TestKind::Automatic, "cuttabc"}};
    for (const auto& c : cases) {
        Form1Harness h;
        h.start();
        h.form().show();
        writeBytes(h.path("w.txt"), "apple,1\r\nbook,2\r\ncat,3\r\n");
        h.open(h.path("w.txt"));
        TestChoice choice;
        choice.kind = c.kind;
        choice.typedInput = true;
        choice.seconds = QStringLiteral("30");
        choice.random = false;
        choice.rangeIndex = 0;
        h.form().chooseTestSetup
            = [&](const TestSetupInput&) { return std::optional<TestChoice>(choice); };
        auto* frame = h.find<QFrame>("Mframe");
        auto* panel = h.find<QFrame>("Pickframe");
        auto* question = h.find<QLabel>("Label1");
        auto* answer = h.find<QLabel>("Label2");
        auto linesShow = [&](const QString& expected, const char* where) {
            EXPECT_EQ(answer->text(), expected) << c.reveal << where;
            EXPECT_GE(question->y(), 0) << c.reveal << where;
            EXPECT_LE(question->y() + question->fontMetrics().height(), answer->y())
                << c.reveal << where;
            EXPECT_LE(answer->y() + answer->fontMetrics().height(), frame->height())
                << c.reveal << where;
        };

        ASSERT_EQ(h.form().size(), kForm1DesignSize);
        h.find<QToolButton>("TESTbtn")->click();
        h.timers.advance(1);
        QApplication::processEvents();
        ASSERT_TRUE(h.find<QFrame>("typeRow")->isVisible()) << c.reveal;
        ASSERT_TRUE(panel->isVisible()) << c.reveal;
        const int designedTop = question->y();
        h.find<QToolButton>(c.reveal)->click();
        QApplication::processEvents();
        linesShow("1", " at the design size");
        // The lines stay where the height choice puts them; the panel keeps some room.
        EXPECT_EQ(question->y(), designedTop) << c.reveal;
        EXPECT_GT(panel->height(), 0) << c.reveal;

        // Down to the smallest the window goes: each step lets the panel give way more.
        for (int i = 0; i < 8; ++i) {
            h.form().resize(1, 1);
            QApplication::processEvents();
        }
        EXPECT_EQ(h.form().height(), h.form().minimumSizeHint().height()) << c.reveal;
        linesShow("1", " at the smallest size");
        EXPECT_EQ(panel->height(), 0) << c.reveal;
        h.form().resize(kForm1DesignSize);
        QApplication::processEvents();
        linesShow("1", " back at the design size");
        EXPECT_EQ(question->y(), designedTop) << c.reveal;
    }
}
