// The study engine against a view that writes down what the learner would see, without a
// widget: what the card shows and when, and what the screen around it is asked to do.
#include "mainscreen/mainstate.h"
#include "problemdata/problemset.h"
#include "problemdata/range.h"
#include "study/studyengine.h"
#include "support/recordingstudyview.h"
#include "support/virtualtime.h"

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

class StudyEngineView : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* line : {"apple,りんご", "book,本", "cat,ねこ"})
            set.addLine(QString::fromUtf8(line));
        set.path = QStringLiteral("words.txt");
        range.current = RangeFilter::NotYet;
        engine.session().timePerItem = 2000; // half for the question, half for the answer
    }
    // What the card showed, in order, leaving out the rest.
    QStringList cards() const { return view.seen.filter(QStringLiteral("card ")); }

    ProblemSet set;
    RangeState range;
    MainState state;
    VirtualClock clock;
    VirtualTimerFactory timers {clock};
    FirstRandom random;
    RecordingStudyView view;
    StudyEngine engine {StudyEngine::Context {set, range, state, clock, timers, random}, view};
};

} // namespace

// Each item's question for its share of the period, then its answer, in ascending order;
// an item in the GET list is passed over.
TEST_F(StudyEngineView, QuestionThenAnswerAndGetItemsPassedOver)
{
    state.options.guessShare = 5;
    view.getList = {QStringLiteral("book,本")};
    engine.StartStudy();
    timers.advance(1);
    EXPECT_EQ(cards(), QStringList({"card apple|"}));
    timers.advance(999);
    EXPECT_EQ(cards(), QStringList({"card apple|"}));
    timers.advance(1);
    timers.advance(1000);
    EXPECT_EQ(cards(), QStringList({"card apple|", "card apple|りんご", "card cat|"}));
    EXPECT_TRUE(view.seen.contains(QStringLiteral("number No. 3 / 3")));
}

// Pause holds the phase where it stood and resume finishes it: the answer comes after the
// rest of the question's time, not a whole share again. The timer bar runs only when it is
// on and study is not paused.
TEST_F(StudyEngineView, PauseHoldsThePhaseAndTheBarFollowsItsOption)
{
    state.options.guessShare = 5;
    view.timerBar = true;
    engine.StartStudy();
    timers.advance(1);
    EXPECT_EQ(view.seen.count(QStringLiteral("bar")), 1);
    timers.advance(600);
    engine.PauseStudy();
    EXPECT_EQ(view.seen.last(), "paused");
    timers.advance(5000);
    EXPECT_EQ(cards(), QStringList({"card apple|"}));
    engine.ResumeStudy();
    timers.advance(399);
    EXPECT_EQ(cards(), QStringList({"card apple|"}));
    timers.advance(1);
    EXPECT_EQ(cards(), QStringList({"card apple|", "card apple|りんご"}));

    view.timerBar = false;
    timers.advance(1000);
    EXPECT_EQ(cards().last(), "card book|");
    EXPECT_EQ(view.seen.count(QStringLiteral("bar")), 1);
}

// Every item in the GET list: no item shows and study stops, told as paused.
TEST_F(StudyEngineView, AllItemsInTheGetListStopStudy)
{
    view.getList
        = {QStringLiteral("apple,りんご"), QStringLiteral("book,本"), QStringLiteral("cat,ねこ")};
    engine.StartStudy();
    timers.advance(5000);
    EXPECT_TRUE(view.seen.contains(QStringLiteral("paused")));
    EXPECT_TRUE(view.isPaused);
    for (const QString& card : cards())
        EXPECT_EQ(card, "card |");
}
