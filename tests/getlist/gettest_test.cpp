#include "getlist/getlist.h"
#include "getlist/gettest.h"
#include "problemdata/problemcontroller.h"
#include "support/harness.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSet>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

// Ten not-yet items at 2 s each (question 1000 ms, answer 1000 ms).
class GetTestRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        QString text;
        for (int i = 0; i < 10; ++i)
            text += QStringLiteral("w%1,意味%1\r\n").arg(i);
        path = h.path("words.txt");
        writeBytes(path, sjis(text));
        h.open(path);
        h.find<QRadioButton>("Rndop_1")->setChecked(true); // ascending, the user's choice
        h.find<QComboBox>("Seccom")->setCurrentText("2");
    }
    void click(const char* name) { h.find<QToolButton>(name)->click(); }
    QString label(const char* name) { return h.find<QLabel>(name)->text(); }
    bool running() { return h.form().getTest().running(); }

    Form1Harness h;
    QString path;
};

} // namespace

TEST_F(GetTestRun, ShuffledRangeOnceThroughThenTheResultLine)
{
    click("Picktest");
    EXPECT_EQ(label("Label1"), "Ready?");
    EXPECT_TRUE(h.find<QRadioButton>("Rndop_0")->isChecked());
    EXPECT_FALSE(h.find<QRadioButton>("Rndop_1")->isEnabled());
    EXPECT_FALSE(h.find<QComboBox>("dakecom")->isEnabled());
    EXPECT_TRUE(h.find<QToolButton>("Picktest")->isHidden());
    click("Startbtn");
    QStringList seen;
    for (int i = 0; i < 10; ++i) {
        h.timers.advance(i == 0 ? 1 : 2000);
        seen.append(label("Label1"));
        if (i == 0) {
            EXPECT_EQ(label("Picktestlabel"), QStringLiteral("テスト中"));
        }
        if (i < 7)
            click("listmaru");
    }
    EXPECT_EQ(QSet<QString>(seen.begin(), seen.end()).size(), 10); // each item once
    EXPECT_NE(seen.first(), "w0"); // shuffled (this seed does not start with the first)
    EXPECT_TRUE(running());
    h.timers.advance(2000);
    EXPECT_FALSE(running());
    EXPECT_EQ(label("Picktestlabel"), QStringLiteral("○7　×3　正解率70％"));
    EXPECT_EQ(label("Label1"), "");
    // The items got stay; the order option and the range are the user's again.
    EXPECT_EQ(h.form().getList().count(), 7);
    EXPECT_TRUE(h.find<QRadioButton>("Rndop_1")->isChecked());
    EXPECT_TRUE(h.find<QRadioButton>("Rndop_1")->isEnabled());
    EXPECT_TRUE(h.find<QComboBox>("dakecom")->isEnabled());
    EXPECT_FALSE(h.find<QToolButton>("Picktest")->isHidden());
    EXPECT_TRUE(h.find<QToolButton>("pickend")->isHidden());
    // Nothing goes on by itself; Start studies again.
    h.timers.advance(5000);
    EXPECT_EQ(label("Label1"), "");
    click("Startbtn");
    h.timers.advance(1);
    EXPECT_FALSE(label("Label1").isEmpty());
}

TEST_F(GetTestRun, ItemsAlreadyGotCountAndEndingEarlyOrAtOnce)
{
    // pickend before anything: no result.
    click("Picktest");
    click("pickend");
    EXPECT_TRUE(h.find<QLabel>("Picktestlabel")->isHidden());
    EXPECT_TRUE(h.find<QRadioButton>("Rndop_1")->isChecked());

    // Items in the list beforehand count as got and are not shown again.
    for (int i = 0; i < 8; ++i)
        h.form().getList().append(QStringLiteral("w%1,意味%1").arg(i), ",", false);
    click("Picktest");
    click("Startbtn");
    QStringList seen;
    for (int i = 0; i < 2; ++i) {
        h.timers.advance(i == 0 ? 1 : 2000);
        seen.append(label("Label1"));
    }
    seen.sort();
    EXPECT_EQ(seen, (QStringList {"w8", "w9"}));
    h.timers.advance(2000);
    EXPECT_FALSE(running());
    EXPECT_EQ(label("Picktestlabel"), QStringLiteral("○8　×2　正解率80％"));
}

TEST_F(GetTestRun, ATestOrAnOpenEndsItWithoutAResult)
{
    click("Picktest");
    click("Startbtn");
    h.timers.advance(1);
    click("listmaru");
    // Opening a list stops the GET test; the order option comes back.
    h.platform.openAnswers.push_back(path);
    h.form().problems().OpenProblemFile();
    EXPECT_FALSE(running());
    EXPECT_TRUE(h.find<QRadioButton>("Rndop_1")->isChecked());
    EXPECT_TRUE(h.find<QLabel>("Picktestlabel")->text().isEmpty());

    // A test started during a GET test ends it first, and keeps the user's order for after.
    click("Picktest");
    h.form().chooseTestSetup = [](const TestSetupInput&) {
        TestChoice c;
        c.seconds = "2";
        c.rangeIndex = 3;
        return std::optional<TestChoice>(c);
    };
    click("TESTbtn");
    EXPECT_FALSE(running());
    EXPECT_TRUE(h.form().state().testmode);
    click("syuuryoubtn");
    EXPECT_TRUE(h.find<QRadioButton>("Rndop_1")->isChecked());
}

TEST(GetTestResult, RateIsCutAndTheFiguresStayInTheRange)
{
    EXPECT_EQ(getTestResultText(7, 10), QStringLiteral("○7　×3　正解率70％"));
    EXPECT_EQ(getTestResultText(2, 3), QStringLiteral("○2　×1　正解率66％"));
    EXPECT_EQ(getTestResultText(0, 0), QStringLiteral("○0　×0　正解率0％"));
    EXPECT_EQ(getTestResultText(12, 10), QStringLiteral("○10　×0　正解率100％"));
}
