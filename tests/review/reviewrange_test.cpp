#include "app/form1.h"
#include "database/dbgamen.h"
#include "database/dblistmodel.h"
#include "history/historywindow.h"
#include "problemdata/problemcontroller.h"
#include "quiz/testtypes.h"
#include "review/reviewschedule.h"
#include "support/harness.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

// A test's judgements schedule its items: the day after, the one answered wrong is due;
// two days after, the ones answered right are too, unless reviewed again meanwhile. 【復】
// holds exactly those, by the combo box or the menu, and study, tests and the GET test run
// over them; the list's bytes never change.
TEST(ReviewRange, HoldsTheMemorizedItemsDueAndLeavesTheListAlone)
{
    Form1Harness h;
    h.start();
    h.form().show();
    const QString path = h.path("w.txt");
    const QByteArray bytes = sjis(QStringLiteral("a,1,,○\r\nb,2,,○\r\nc,3,赤○\r\nd,4\r\n"));
    writeBytes(path, bytes);
    h.open(path);
    // The first load of a list reads the log off the user-interface thread: no count until
    // its schedule is in, and 【復】 chosen meanwhile is taken when it is, without holding
    // the user interface.
    auto* range = h.find<QComboBox>("dakecom");
    EXPECT_EQ(range->itemText(4), QStringLiteral("【復】…"));
    range->setCurrentIndex(4);
    emit range->activated(4);
    EXPECT_TRUE(h.platform.messages.empty());
    EXPECT_EQ(range->currentIndex(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.platform.messages.empty(); }));
    EXPECT_EQ(h.platform.messages.back().text, QStringLiteral("復習する問題はありません。"));
    EXPECT_EQ(range->currentIndex(), 0); // the previous range stays
    EXPECT_EQ(range->itemText(4), QStringLiteral("【復】0"));

    TestChoice choice;
    choice.kind = TestKind::Manual;
    choice.seconds = QStringLiteral("2");
    choice.random = false;
    choice.rangeIndex = 1; // 【覚】
    h.form().chooseTestSetup = [&](const TestSetupInput&) { return std::optional(choice); };
    h.find<QToolButton>("TESTbtn")->click();
    for (const char* judged : {"syudouMARU", "syudouBATU", "syudouMARU"}) {
        h.find<QToolButton>("syudouKAKUNIN")->click();
        h.find<QToolButton>(judged)->click();
    }
    h.timers.advance(1400);
    ASSERT_FALSE(h.form().state().testmode);

    const qint64 day = 24 * 3600 * 1000;
    const auto dueAfter = [&](int days) {
        h.clock.setNowMs(h.clock.nowMs() + days * day);
        if (h.form().resultsUnsaved())
            h.platform.messageAnswers.push_back(MessageResult::No);
        h.open(path);
        return range->itemText(4);
    };
    EXPECT_EQ(dueAfter(1), QStringLiteral("【復】1"));
    {
        // The program started again knows the same: the schedule is the log's, not the
        // session's.
        FakePlatform again(h.folder());
        Form1 second(AppContext {again, h.clock, h.timers, h.random, h.speech});
        ASSERT_TRUE(second.problems().openGivenFile(path));
        second.awaitReviewSchedule();
        EXPECT_EQ(second.findChild<QComboBox*>("dakecom")->itemText(4), QStringLiteral("【復】1"));
    }
    // Opened again unchanged the same day, and changed by another editor (b no longer
    // memorized, so not for review): each count is the list's as it is.
    EXPECT_EQ(dueAfter(0), QStringLiteral("【復】1"));
    writeBytes(path, sjis(QStringLiteral("a,1,,○\r\nb,2\r\nc,3,赤○\r\nd,4\r\n")));
    EXPECT_EQ(dueAfter(0), QStringLiteral("【復】0"));
    writeBytes(path, bytes);
    EXPECT_EQ(dueAfter(0), QStringLiteral("【復】1"));
    // The database screen tells each scheduled entry's next review; the history window
    // today's and tomorrow's counts.
    h.form().openDatabaseScreen();
    const DbListModel& memorized = h.form().databaseList(true);
    ASSERT_EQ(memorized.count(), 3);
    EXPECT_EQ(memorized.data(memorized.index(0, 0), Qt::ToolTipRole).toString(),
        QStringLiteral("次の復習：2026/12/03"));
    EXPECT_EQ(memorized.data(memorized.index(1, 0), Qt::ToolTipRole).toString(),
        QStringLiteral("次の復習：2026/12/02"));
    const DbListModel& notYet = h.form().databaseList(false);
    EXPECT_FALSE(notYet.data(notYet.index(0, 0), Qt::ToolTipRole).isValid());
    h.form().databaseScreen()->close();
    h.action("mrireki")->trigger();
    EXPECT_EQ(h.form().historyWindow()->findChild<QLabel*>("rirekiDue")->text(),
        QStringLiteral("復習：今日 1語　明日 2語"));
    h.form().historyWindow()->close();
    h.action("mfukudake")->trigger();
    EXPECT_EQ(range->currentIndex(), 4);
    EXPECT_TRUE(h.form().windowTitle().contains(QStringLiteral("【復】")));
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    EXPECT_EQ(h.find<QLabel>("Label1")->text(), "b");
    // A GET test over 【復】 keeps it at its end, with the count as the log now has it.
    h.find<QToolButton>("Picktest")->click();
    h.timers.advance(1000);
    EXPECT_EQ(h.find<QLabel>("Label1")->text(), "b");
    h.find<QToolButton>("listmaru")->click();
    h.find<QToolButton>("pickend")->click();
    EXPECT_EQ(range->currentIndex(), 4);
    EXPECT_EQ(range->itemText(4), QStringLiteral("【復】0"));

    EXPECT_EQ(dueAfter(1), QStringLiteral("【復】2"));
    range->setCurrentIndex(4);
    emit range->activated(4);
    choice.rangeIndex = 4;
    h.find<QToolButton>("TESTbtn")->click();
    EXPECT_TRUE(h.form().state().testmode);
    EXPECT_EQ(h.find<QLabel>("Label1")->text(), "a");
    h.find<QToolButton>("syuuryoubtn")->click();
    EXPECT_EQ(readBytes(path), bytes);

    // Another list's schedule comes in by itself, without anything waiting for it. A test
    // of 【復】 set up before a schedule is in is checked against it once chosen.
    const QString other = h.path("o.txt");
    writeBytes(other, "x,1,,\x81\x9B\r\n");
    h.platform.messageAnswers.push_back(MessageResult::No); // the results are let go
    h.open(other);
    EXPECT_TRUE(QTest::qWaitFor([&] { return range->itemText(4) == QStringLiteral("【復】0"); }));
    int offered = 0;
    h.form().chooseTestSetup = [&](const TestSetupInput& input) {
        offered = input.dueCount;
        return std::optional(choice);
    };
    h.platform.messages.clear();
    h.open(path);
    h.find<QToolButton>("TESTbtn")->click();
    EXPECT_EQ(offered, -1);
    EXPECT_TRUE(h.form().state().testmode);
    EXPECT_EQ(range->itemText(4), QStringLiteral("【復】2"));
    h.find<QToolButton>("syuuryoubtn")->click();
    h.platform.messageAnswers.push_back(MessageResult::No);
    h.open(other);
    h.find<QToolButton>("TESTbtn")->click();
    EXPECT_EQ(offered, -1);
    EXPECT_FALSE(h.form().state().testmode);
    ASSERT_FALSE(h.platform.messages.empty());
    EXPECT_EQ(h.platform.messages.back().text, QStringLiteral("復習する問題はありません。"));
}

// The history window's forecast: each memorized item on the day it comes due, an overdue
// one today, one unscheduled or due after the last day nowhere; records are keyed by their
// item text, marks and all.
TEST(ReviewForecast, CountsEachItemOnItsDueDay)
{
    const QDate today(2026, 12, 8);
    const qint64 t = today.toJulianDay();
    const QHash<QString, qint64> days = {{"a,1", t - 3}, {"b,2", t}, {"c,3", t + 2}, {"d,4", t + 2},
        {"e,5", t + 3}, {"f,6", t + 40}};
    const QStringList memorized
        = {"a,1,,○", "b,2,,○", "c,3,赤○", "d,4,,○", "e,5,,○", "f,6,,○", "g,7,,○"};
    EXPECT_EQ(reviewForecast(memorized, days, today, 3), QList<int>({2, 0, 2}));
    EXPECT_EQ(reviewForecast(memorized, days, today, 4), QList<int>({2, 0, 2, 1}));
    EXPECT_EQ(reviewForecast({}, days, today, 2), QList<int>({0, 0}));
}
