// The test engine against views that write down what the learner would see, without a
// widget: the card through the study engine's view, the rest of a test through its own.
#include "mainscreen/mainstate.h"
#include "problemdata/problemset.h"
#include "problemdata/range.h"
#include "quiz/testengine.h"
#include "study/studyengine.h"
#include "support/recordingstudyview.h"
#include "support/virtualtime.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

class RecordingTestView final : public TestView {
public:
    explicit RecordingTestView(QStringList& trace)
        : seen(trace)
    {
    }
    QStringList& seen; // one trace with the card's
    QStringList judged; // the GET list the test fills: "key ○" or "key ×"
    QString seconds = QStringLiteral("2");

    bool listeningChosen() const override { return false; }
    bool testReversed() const override { return false; }
    QString testSeconds() const override { return seconds; }
    QString lowestBound() const override { return {}; }
    QString highestBound() const override { return {}; }
    int studySpeedIndex() const override { return -1; }
    bool typingBoxShown() const override { return false; }
    bool typingBoxOpen() const override { return false; }
    void showTestChoice(const TestChoice&) override { }
    void restoreStudyChoices(bool, bool, bool) override { seen << "study choices back"; }
    void showNumberBounds(const QString&, const QString&) override { }
    void showTestSeconds(const QString&) override { }
    void clearCardAndNumbers() override { }
    void alignCardForNumbers(bool) override { }
    void layoutTestInputs(TestKind, bool, bool) override { }
    void lockStudyControls(bool) override { seen << "locked"; }
    void unlockStudyControls() override { seen << "unlocked"; }
    void showGetListCommands(bool) override { }
    void enableManualButtons(bool reveal, bool judge) override
    {
        seen << QStringLiteral("manual reveal %1 judge %2").arg(reveal).arg(judge);
    }
    void enableManualSkip(bool) override { }
    void markTypingTaken() override { }
    void focusTypingBox() override { }
    void focusGetList() override { }
    void showScore(const QString& score, const QString&) override { seen << "score " + score; }
    void showResultScore(const QString&, int, int, int) override { }
    void takeDownTestPanel() override { }
    void showTestEnded() override { seen << "ended"; }
    void showResultsButton() override { }
    void hideTestResults() override { seen << "results hidden"; }
    void relayout() override { }
    bool getListOutside() const override { return false; }
    bool appendJudged(const QString& key, bool, int) override
    {
        judged << key + " ×";
        return true;
    }
    void checkSelectedGetEntry() override { judged.last().replace(u'×', u'○'); }
    std::pair<int, int> judgedCounts(bool) const override { return {0, 0}; }
    bool testListEmpty() const override { return judged.isEmpty(); }
    void reloadProblemData() override { seen << "reload"; }
    void testEnded() override { seen << "recorded"; }
    void clearTestList() override { judged.clear(); }
    void closeDatabaseScreen() override { }
    void showResults() override { seen << "results"; }
};

class TestEngineView : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* line : {"apple,りんご", "book,本"})
            set.addLine(QString::fromUtf8(line));
        set.path = QStringLiteral("words.txt");
        range.current = RangeFilter::All;
    }
    void begin(TestKind kind)
    {
        TestChoice choice;
        choice.kind = kind;
        choice.random = false;
        test.applyChoice(choice);
        test.begin();
        timers.advance(1);
    }
    QStringList cards() const { return card.seen.filter(QStringLiteral("card ")); }

    ProblemSet set;
    RangeState range;
    MainState state;
    VirtualClock clock;
    VirtualTimerFactory timers {clock};
    FirstRandom random;
    RecordingStudyView card;
    RecordingTestView view {card.seen};
    QTemporaryDir settings;
    StudyEngine study {StudyEngine::Context {set, range, state, clock, timers, random}, card};
    TestEngine test {study, view, settings.filePath(QStringLiteral("Settei.ini"))};
};

} // namespace

// An automatic test shows each item's question, then its answer; an item nobody took is
// judged wrong when its time is up. At the end the study choices come back, the list is
// read again, the results show and the test is recorded.
TEST_F(TestEngineView, AutomaticItemsNobodyTookAreWrongAndTheEndShowsTheResults)
{
    begin(TestKind::Automatic);
    EXPECT_EQ(card.seen.first(), "locked");
    EXPECT_EQ(cards(), QStringList({"card apple|"}));
    test.claim(); // ○: taken as right
    timers.advance(2000);
    EXPECT_EQ(cards().last(), "card book|");
    timers.advance(3000);
    EXPECT_EQ(view.judged, QStringList({"apple,りんご ○", "book,本 ×"}));
    EXPECT_FALSE(test.running());
    const QStringList end = card.seen.mid(card.seen.indexOf(QStringLiteral("unlocked")));
    for (const char* step : {"study choices back", "reload", "results", "ended", "recorded"})
        EXPECT_TRUE(end.contains(QLatin1String(step))) << step;
    EXPECT_TRUE(card.seen.contains(QStringLiteral("score ○ 1  × 1  正解率 50％")));
}

// A manual item waits for the learner: its answer on request, then a judgement, then the
// next item.
TEST_F(TestEngineView, ManualItemsWaitForTheAnswerCheckAndTheJudgement)
{
    begin(TestKind::Manual);
    EXPECT_EQ(cards(), QStringList({"card apple|"}));
    timers.advance(60000);
    EXPECT_EQ(cards(), QStringList({"card apple|"}));
    test.revealAnswer();
    EXPECT_EQ(cards().last(), "card apple|りんご");
    EXPECT_TRUE(card.seen.contains(QStringLiteral("manual reveal 0 judge 1")));
    test.judge(false);
    EXPECT_EQ(view.judged, QStringList({"apple,りんご ×"}));
    timers.advance(2000);
    EXPECT_EQ(cards().last(), "card book|");
}

// A test cut short by opening a list or Start: its results go from the screen, and
// neither is the list read again nor the results shown, since what comes next replaces
// them; a test ended by the learner does both.
TEST_F(TestEngineView, ATestCutShortKeepsNothing)
{
    begin(TestKind::Automatic);
    test.takeDownTestDisplay();
    EXPECT_FALSE(test.running());
    EXPECT_FALSE(card.seen.contains(QStringLiteral("reload")));
    EXPECT_FALSE(card.seen.contains(QStringLiteral("results")));
    EXPECT_TRUE(card.seen.contains(QStringLiteral("results hidden")));

    card.seen.clear();
    begin(TestKind::Automatic);
    timers.advance(3000); // the first item judged: the test list holds it
    test.stop();
    EXPECT_TRUE(card.seen.contains(QStringLiteral("reload")));
    EXPECT_TRUE(card.seen.contains(QStringLiteral("results")));
}
