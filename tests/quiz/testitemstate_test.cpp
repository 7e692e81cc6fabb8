// Every event against every stage of a test item, for each kind of test.
#include "quiz/testitem.h"

#include <gtest/gtest.h>

#include <optional>

using namespace keruna;

namespace {

using Stage = TestItemStage;
using Event = TestItemEvent;

constexpr TestKind A = TestKind::Automatic;
constexpr TestKind M = TestKind::Manual;
constexpr TestKind N = TestKind::Number;

// Short names for what a step does.
enum Effect : unsigned {
    Ignored = 0,
    Handled = 1,
    Correct = 2, // records ○ now
    Wrong = 4, // records × now
    Shows = 8, // shows the answer
    Waits = 16, // the 1400 ms wait that moves on
    Fetch = 32, // the 1000 ms display of a Tab answer
    Next = 64, // the next item (or the end)
};

struct Row {
    TestKind kind;
    bool typed;
    bool maruNext;
    Stage from;
    bool fetched; // the answer was fetched with Tab before
    Event event;
    Stage to;
    std::optional<bool> judgement; // after the step
    unsigned effects;
};

const char* name(Event e)
{
    static const char* names[] = {"Claim", "Skip", "TypedRight", "Tab", "Reveal", "JudgeRight",
        "JudgeWrong", "QuestionTimeUp", "AnswerTimeUp", "WaitOver", "Pause", "Resume"};
    return names[int(e)];
}

constexpr std::nullopt_t none = std::nullopt;

// clang-format off
const Row kRows[] = {
    // Timed tests, question showing.
    {A, false, false, Stage::Asking, false, Event::Claim, Stage::Taken, true, Handled | Correct},
    {A, false, true, Stage::Asking, false, Event::Claim, Stage::MovingOn, true, Handled | Correct | Shows | Waits},
    {A, false, false, Stage::Asking, true, Event::Claim, Stage::Taken, true, Handled | Correct},
    {A, true, false, Stage::Asking, false, Event::TypedRight, Stage::MovingOn, true, Handled | Correct | Shows | Waits},
    {A, true, false, Stage::Asking, true, Event::TypedRight, Stage::MovingOn, false, Handled | Wrong | Shows | Waits},
    {A, false, false, Stage::Asking, false, Event::Skip, Stage::MovingOn, false, Handled | Wrong | Shows | Waits},
    {A, false, false, Stage::Asking, false, Event::Tab, Stage::Asking, none, Handled | Shows | Fetch},
    {A, false, false, Stage::Asking, false, Event::QuestionTimeUp, Stage::Answered, none, Handled | Shows},
    {A, false, false, Stage::Asking, false, Event::AnswerTimeUp, Stage::Asking, none, Ignored},
    {A, false, false, Stage::Asking, false, Event::Reveal, Stage::Asking, none, Ignored},
    {A, false, false, Stage::Asking, false, Event::JudgeRight, Stage::Asking, none, Ignored},
    {A, false, false, Stage::Asking, false, Event::WaitOver, Stage::Asking, none, Ignored},
    {A, false, false, Stage::Asking, false, Event::Pause, Stage::Asking, none, Ignored},
    {A, false, false, Stage::Asking, false, Event::Resume, Stage::Asking, none, Ignored},
    {N, true, false, Stage::Asking, false, Event::TypedRight, Stage::MovingOn, true, Handled | Correct | Shows | Waits},
    {N, true, false, Stage::Asking, true, Event::TypedRight, Stage::MovingOn, false, Handled | Wrong | Shows | Waits},
    // Timed tests, answer showing.
    {A, false, false, Stage::Answered, false, Event::Claim, Stage::Taken, true, Handled | Correct},
    {A, true, false, Stage::Answered, false, Event::TypedRight, Stage::MovingOn, false, Handled | Wrong | Shows | Waits},
    {A, false, false, Stage::Answered, false, Event::Skip, Stage::MovingOn, false, Handled | Wrong | Shows | Waits},
    {A, false, false, Stage::Answered, false, Event::AnswerTimeUp, Stage::None, false, Handled | Wrong | Next},
    {N, false, false, Stage::Answered, true, Event::AnswerTimeUp, Stage::None, false, Handled | Wrong | Next},
    {A, false, false, Stage::Answered, false, Event::QuestionTimeUp, Stage::Answered, none, Ignored},
    // Taken, the phases running on.
    {A, false, false, Stage::Taken, false, Event::Skip, Stage::MovingOn, true, Handled | Shows | Waits},
    {A, false, false, Stage::Taken, false, Event::Claim, Stage::Taken, true, Ignored},
    {A, false, false, Stage::Taken, false, Event::Tab, Stage::Taken, true, Ignored},
    {A, true, false, Stage::Taken, false, Event::TypedRight, Stage::Taken, true, Ignored},
    {A, false, false, Stage::Taken, false, Event::QuestionTimeUp, Stage::Taken, true, Handled | Shows},
    {A, false, false, Stage::Taken, false, Event::AnswerTimeUp, Stage::None, true, Handled | Next},
    // Taken and moving on: only the end of the wait counts.
    {A, false, false, Stage::MovingOn, false, Event::AnswerTimeUp, Stage::None, false, Handled | Next},
    {N, false, false, Stage::MovingOn, false, Event::AnswerTimeUp, Stage::None, true, Handled | Next},
    {A, false, false, Stage::MovingOn, false, Event::Tab, Stage::MovingOn, false, Ignored},
    {A, false, false, Stage::MovingOn, false, Event::Skip, Stage::MovingOn, false, Ignored},
    {A, false, false, Stage::MovingOn, false, Event::Claim, Stage::MovingOn, false, Ignored},
    {A, false, false, Stage::MovingOn, false, Event::WaitOver, Stage::MovingOn, false, Ignored},
    {M, false, false, Stage::MovingOn, false, Event::WaitOver, Stage::None, false, Handled | Wrong | Next},
    {M, true, false, Stage::MovingOn, false, Event::WaitOver, Stage::None, true, Handled | Correct | Next},
    {M, false, false, Stage::MovingOn, false, Event::AnswerTimeUp, Stage::MovingOn, false, Ignored},
    {M, false, false, Stage::MovingOn, false, Event::Tab, Stage::MovingOn, false, Ignored},
    {M, true, false, Stage::MovingOn, false, Event::Tab, Stage::MovingOn, true, Ignored},
    {M, false, false, Stage::MovingOn, false, Event::Reveal, Stage::MovingOn, false, Ignored},
    {M, false, false, Stage::MovingOn, false, Event::JudgeRight, Stage::MovingOn, false, Ignored},
    // Manual, question showing: taken items are recorded when their wait is over.
    {M, false, false, Stage::Asking, false, Event::Reveal, Stage::Answered, none, Handled | Shows},
    {M, false, false, Stage::Asking, false, Event::Claim, Stage::MovingOn, true, Handled | Shows | Waits},
    {M, false, false, Stage::Asking, true, Event::Claim, Stage::MovingOn, false, Handled | Shows | Waits},
    {M, false, false, Stage::Asking, false, Event::Skip, Stage::MovingOn, false, Handled | Shows | Waits},
    {M, true, false, Stage::Asking, false, Event::TypedRight, Stage::MovingOn, true, Handled | Shows | Waits},
    {M, true, false, Stage::Asking, true, Event::TypedRight, Stage::MovingOn, false, Handled | Shows | Waits},
    {M, false, false, Stage::Asking, false, Event::Tab, Stage::Asking, none, Handled | Shows | Fetch},
    {M, false, false, Stage::Asking, false, Event::JudgeRight, Stage::Asking, none, Ignored},
    {M, false, false, Stage::Asking, false, Event::JudgeWrong, Stage::Asking, none, Ignored},
    {M, false, false, Stage::Asking, false, Event::QuestionTimeUp, Stage::Asking, none, Ignored},
    {M, false, false, Stage::Asking, false, Event::WaitOver, Stage::Asking, none, Ignored},
    // Manual, answer showing.
    {M, false, false, Stage::Answered, false, Event::JudgeRight, Stage::None, true, Handled | Correct | Next},
    {M, false, false, Stage::Answered, true, Event::JudgeRight, Stage::None, true, Handled | Correct | Next},
    {M, false, false, Stage::Answered, false, Event::JudgeWrong, Stage::None, false, Handled | Wrong | Next},
    {M, false, false, Stage::Answered, false, Event::Claim, Stage::MovingOn, true, Handled | Shows | Waits},
    {M, true, false, Stage::Answered, false, Event::Claim, Stage::MovingOn, false, Handled | Shows | Waits},
    {M, true, false, Stage::Answered, false, Event::TypedRight, Stage::MovingOn, false, Handled | Shows | Waits},
    {M, false, false, Stage::Answered, false, Event::Reveal, Stage::Answered, none, Ignored},
    {M, false, false, Stage::Answered, false, Event::Tab, Stage::Answered, none, Handled | Shows | Fetch},
    // No item: nothing happens.
    {A, false, false, Stage::None, false, Event::Claim, Stage::None, none, Ignored},
    {M, false, false, Stage::None, false, Event::WaitOver, Stage::None, none, Ignored},
    {N, false, false, Stage::None, false, Event::AnswerTimeUp, Stage::None, none, Ignored},
};
// clang-format on

} // namespace

TEST(TestItemTransitions, EveryEventInEveryStage)
{
    for (const Row& r : kRows) {
        SCOPED_TRACE(::testing::Message()
            << "kind " << int(r.kind) << " typed " << r.typed << " stage " << int(r.from)
            << " fetched " << r.fetched << " event " << name(r.event));
        TestItemState from {r.from, r.fetched, std::nullopt};
        // A taken item carries its judgement; the table gives it as the one after the step.
        if (r.from == Stage::Taken || r.from == Stage::MovingOn)
            from.judgement = r.judgement;
        const TestItemFacts facts {r.kind, r.typed, r.maruNext};
        const TestItemStep step = nextStep(from, r.event, facts);
        EXPECT_EQ(step.handled, (r.effects & Handled) != 0);
        EXPECT_EQ(step.state.stage, r.to);
        EXPECT_EQ(step.state.judgement, r.judgement);
        std::optional<bool> record;
        if (r.effects & Correct)
            record = true;
        if (r.effects & Wrong)
            record = false;
        EXPECT_EQ(step.record, record);
        EXPECT_EQ(step.showAnswer, (r.effects & Shows) != 0);
        const int wait = (r.effects & Waits) ? kTakenWaitMs
            : (r.effects & Fetch)            ? kFetchedAnswerMs
                                             : 0;
        EXPECT_EQ(step.waitMs, wait);
        EXPECT_EQ(step.nextItem, (r.effects & Next) != 0);
        // Tab marks the item; nothing else changes that mark.
        EXPECT_EQ(step.state.answerFetched, r.fetched || (r.event == Event::Tab && step.handled));
        if (!step.handled) {
            EXPECT_EQ(step.state, from);
        }
    }
}

TEST(TestItemTransitions, AnItemTakenAndFinishedLeavesNothingToTheNext)
{
    // Tab, then taken, then moved on, twice: each new item starts fresh, and the same
    // events give the same judgement the second time.
    for (const TestKind kind : {A, M, N}) {
        const TestItemFacts facts {kind, true, false};
        for (int round = 0; round < 2; ++round) {
            TestItemState item = freshItem();
            EXPECT_EQ(item, (TestItemState {Stage::Asking, false, std::nullopt}));
            item = nextStep(item, Event::Tab, facts).state;
            TestItemStep step = nextStep(item, Event::TypedRight, facts);
            EXPECT_EQ(step.state.judgement, false);
            item = step.state;
            step = nextStep(item, kind == M ? Event::WaitOver : Event::AnswerTimeUp, facts);
            EXPECT_TRUE(step.nextItem);
            item = freshItem();
            step = nextStep(item, Event::TypedRight, facts);
            EXPECT_EQ(step.state.judgement, true) << int(kind) << " " << round;
        }
    }
}
