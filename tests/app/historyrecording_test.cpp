#include "app/form1.h"
#include "database/dbgamen.h"
#include "getlist/getlist.h"
#include "history/historyfile.h"
#include "history/historymodel.h"
#include "history/historywindow.h"
#include "quiz/testscore.h"
#include "review/reviewlog.h"
#include "support/harness.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

class HistoryRecording : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        path = h.path("words.txt");
        writeBytes(path,
            sjis(QStringLiteral("apple,りんご\r\nbook,本,赤×\r\ncat,ねこ,,○\r\ndog,いぬ\r\n")));
        h.open(path);
        h.find<QRadioButton>("Rndop_1")->setChecked(true);
        h.find<QComboBox>("Seccom")->setCurrentText("2");
    }
    QList<HistoryEvent> events() { return h.form().history().read().events; }

    Form1Harness h;
    QString path;
};

} // namespace

// Start to pause is one study session: its running minutes and the items shown; a resumed
// study is the next one. Twice.
TEST_F(HistoryRecording, EachStudySessionAddsOneLine)
{
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1 + 2000 * 2); // three items shown
    h.find<QToolButton>("Fteisibtn")->click();
    h.timers.advance(60000); // paused: not counted
    h.find<QToolButton>("Fsaikaibtn")->click();
    h.timers.advance(1 + 2000);
    h.action("mteisi")->trigger();
    const QList<HistoryEvent> e = events();
    ASSERT_EQ(e.size(), 2);
    EXPECT_EQ(e[0].kind, HistoryKind::Study);
    EXPECT_EQ(e[0].list, path);
    EXPECT_EQ(e[0].shown, 3);
    EXPECT_NEAR(e[0].minutes, 4001.0 / 60000, 0.005); // kept to the hundredth of a minute
    EXPECT_EQ(e[1].shown, 1);
    EXPECT_LT(e[1].minutes, 0.1);
}

// A save that changes marks adds one line with the list's counts after it; a save that
// changes nothing adds none. Twice.
TEST_F(HistoryRecording, EachSaveThatChangesMarksAddsOneLine)
{
    h.form().openDatabaseScreen();
    DBgamen* db = h.form().databaseScreen();
    auto* save = db->findChild<QToolButton*>("sumihozon");
    save->click(); // nothing moved
    EXPECT_TRUE(events().isEmpty());
    for (int round = 0; round < 2; ++round) {
        db->selectRow(false, 0);
        db->findChild<QToolButton*>("hidariidou")->click();
        save->click();
        const QList<HistoryEvent> e = events();
        ASSERT_EQ(e.size(), round + 1);
        EXPECT_EQ(e.last().kind, HistoryKind::Save);
        EXPECT_EQ(e.last().list, path);
        EXPECT_EQ(e.last().memorized, 2 + round);
        EXPECT_EQ(e.last().notYet, 2 - round);
        EXPECT_EQ(e.last().red, 1);
    }
    // The window shows them for the open list, opened again after it was closed.
    for (int round = 0; round < 2; ++round) {
        h.action("mrireki")->trigger();
        ASSERT_NE(h.form().historyWindow(), nullptr);
        EXPECT_TRUE(h.form().historyWindow()->isVisible());
        EXPECT_EQ(h.form().historyWindow()->model().rowCount(), 2);
        h.form().historyWindow()->close();
    }
}

// A GET test adds one test line of its own and no study line. Twice.
TEST_F(HistoryRecording, EachGetTestAddsOneLine)
{
    for (int round = 0; round < 2; ++round) {
        h.find<QToolButton>("Picktest")->click();
        h.find<QToolButton>("Startbtn")->click();
        h.timers.advance(1);
        h.find<QToolButton>("listmaru")->click();
        h.timers.advance(2000);
        h.find<QToolButton>("pickend")->click();
        const QList<HistoryEvent> e = events();
        ASSERT_EQ(e.size(), round + 1);
        EXPECT_EQ(e.last().kind, HistoryKind::Test);
        EXPECT_EQ(e.last().testKind, "get");
        EXPECT_EQ(e.last().range, QStringLiteral("【未】"));
        EXPECT_EQ(e.last().items, 3);
        EXPECT_EQ(e.last().answered, 2); // the items shown, not the range
        // The review log: the items shown, got is right.
        const QList<ReviewRecord> judged = h.form().reviews().read(path).records;
        ASSERT_EQ(judged.size(), 2 * (round + 1));
        EXPECT_EQ(judged[2 * round].right, true);
        EXPECT_EQ(judged[2 * round + 1].right, false);
        EXPECT_EQ(judged.last().test, "get");
        // Items got in the first round are still got in the second, as its result line says.
        EXPECT_EQ(e.last().correct, round + 1);
        EXPECT_EQ(e.last().rate, (round + 1) * 100 / 3);
    }
    // Nothing got: the score still shows and is recorded. Started during study, the GET
    // test ends the study session and adds nothing to its minutes.
    h.form().getList().clear();
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1 + 2000); // two items studied
    h.find<QToolButton>("Picktest")->click();
    h.timers.advance(2000 * 5);
    h.find<QToolButton>("pickend")->click();
    const QList<HistoryEvent> e = events();
    ASSERT_EQ(e.size(), 4);
    EXPECT_EQ(e[2].kind, HistoryKind::Study);
    EXPECT_EQ(e[2].shown, 2);
    EXPECT_LT(e[2].minutes, 2.5 * 2000 / 60000);
    EXPECT_EQ(e[3].testKind, "get");
    EXPECT_EQ(e[3].correct, 0);
    EXPECT_EQ(h.find<QLabel>("Picktestlabel")->text(), QStringLiteral("○0　×3　正解率0％"));
}

// Study paused before its first item is no session; one across midnight ran the minutes
// it ran.
TEST_F(HistoryRecording, StudyMinutesAreTheTimeItRan)
{
    h.clock.setNowMs(qint64(23 * 3600 + 59 * 60) * 1000);
    h.find<QToolButton>("Startbtn")->click();
    h.find<QToolButton>("Fteisibtn")->click();
    EXPECT_TRUE(events().isEmpty());
    h.find<QToolButton>("Fsaikaibtn")->click();
    h.timers.advance(1 + 2000 * 60); // two minutes, past midnight
    h.find<QToolButton>("Fteisibtn")->click();
    const QList<HistoryEvent> e = events();
    ASSERT_EQ(e.size(), 1);
    EXPECT_NEAR(e[0].minutes, 2.0, 0.01);
}

// A test adds one line when it ends, also one ended early with 終了, with its options and
// the score it showed; the study before it is a session of its own. Twice.
TEST_F(HistoryRecording, EachTestAddsOneLineWithItsScore)
{
    TestChoice choice;
    choice.kind = TestKind::Automatic;
    choice.typedInput = false;
    choice.reverse = true;
    choice.seconds = QStringLiteral("2");
    choice.random = false;
    choice.rangeIndex = 0;
    h.form().chooseTestSetup
        = [&](const TestSetupInput&) { return std::optional<TestChoice>(choice); };
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1 + 2000); // two items studied
    for (int round = 0; round < 2; ++round) {
        if (h.form().resultsUnsaved())
            h.platform.messageAnswers.push_back(MessageResult::No);
        h.find<QToolButton>("TESTbtn")->click();
        ASSERT_TRUE(h.form().state().testmode);
        h.timers.advance(1);
        h.find<QToolButton>("zidouMARU")->click();
        h.timers.advance(2000);
        h.find<QToolButton>("syuuryoubtn")->click(); // ended early, on the second item
        const QList<HistoryEvent> e = events();
        ASSERT_EQ(e.size(), round + 2) << "the study before the first test, then each test";
        EXPECT_EQ(e.first().kind, HistoryKind::Study);
        EXPECT_EQ(e.first().shown, 2);
        const HistoryEvent& t = e.last();
        EXPECT_EQ(t.kind, HistoryKind::Test);
        EXPECT_EQ(t.testKind, "automatic");
        EXPECT_TRUE(t.reverse);
        EXPECT_FALSE(t.typed);
        EXPECT_EQ(t.range, QStringLiteral("【未】"));
        EXPECT_EQ(t.items, 3);
        EXPECT_EQ(t.correct, 1);
        EXPECT_EQ(t.rate, correctRate(t.correct, t.wrong));
        EXPECT_EQ(t.answered, t.correct + t.wrong);
        // Each item judged so far is in the review log, apple the one claimed.
        const QList<ReviewRecord> judged = h.form().reviews().read(path).records;
        ASSERT_EQ(judged.size(), (round + 1) * t.answered);
        EXPECT_EQ(judged[round * t.answered].item, QStringLiteral("apple,りんご"));
        EXPECT_TRUE(judged[round * t.answered].right);
        EXPECT_EQ(judged.last().test, "automatic");
        // The result view's button opens the history with this test in it.
        DBgamen* results = h.form().databaseScreen();
        ASSERT_TRUE(results && results->isVisible());
        results->findChild<QPushButton*>("rirekibtn")->click();
        ASSERT_NE(h.form().historyWindow(), nullptr);
        EXPECT_TRUE(h.form().historyWindow()->isVisible());
        EXPECT_EQ(h.form().historyWindow()->model().rowCount(), round + 2);
    }
    // Saved under another name, that file is the list now; the result view's history is
    // still the tested list's.
    const QString tested = h.form().problemSet().path;
    h.form().chooseSaveMethod = [] { return std::optional<bool>(false); };
    h.platform.saveAnswers.push_back(h.path("copy.txt"));
    h.form().databaseScreen()->findChild<QToolButton*>("sumihozon")->click();
    ASSERT_EQ(h.form().problemSet().path, h.path("copy.txt"));
    h.form().databaseScreen()->findChild<QPushButton*>("rirekibtn")->click();
    EXPECT_EQ(h.form().historyWindow()->model().rowCount(), 3);
    EXPECT_TRUE(h.form().historyWindow()->windowTitle().endsWith(QFileInfo(tested).fileName()));
}
