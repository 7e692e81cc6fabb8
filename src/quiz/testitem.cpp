#include "quiz/testitem.h"

namespace keruna {

namespace {

using Stage = TestItemStage;
using Event = TestItemEvent;

// The event means nothing to the item now.
TestItemStep unchanged(const TestItemState& state)
{
    TestItemStep step;
    step.state = state;
    return step;
}

TestItemStep handled(TestItemState state)
{
    TestItemStep step;
    step.state = state;
    step.handled = true;
    return step;
}

// The item is taken with a judgement. The timed tests record it at once; the manual test
// records it when its wait is over. moveOn: the wait that leads to the next item starts.
TestItemStep take(TestItemState item, bool correct, bool moveOn, const TestItemFacts& facts)
{
    item.judgement = correct;
    item.stage = moveOn ? Stage::MovingOn : Stage::Taken;
    TestItemStep step = handled(item);
    if (facts.kind != TestKind::Manual)
        step.record = correct;
    if (moveOn) {
        step.showAnswer = true;
        step.waitMs = kTakenWaitMs;
    }
    return step;
}

TestItemStep untaken(const TestItemState& item, Event event, const TestItemFacts& facts)
{
    const bool manual = facts.kind == TestKind::Manual;
    const bool asking = item.stage == Stage::Asking;
    switch (event) {
    case Event::Claim:
        // ○ counts in the timed tests; in the manual test it is the user's word unless the
        // answer was fetched, or the typed test had already shown it.
        if (!manual)
            return take(item, true, facts.nextAfterMaru, facts);
        return take(item, !item.answerFetched && (asking || !facts.typedInput), true, facts);
    case Event::Skip:
        return take(item, false, true, facts);
    case Event::TypedRight:
        // Right only while the question alone shows and the answer was not fetched.
        return take(item, asking && !item.answerFetched, true, facts);
    case Event::Tab: {
        TestItemState next = item;
        next.answerFetched = true;
        TestItemStep step = handled(next);
        step.showAnswer = true;
        step.waitMs = kFetchedAnswerMs;
        return step;
    }
    case Event::Reveal:
    case Event::QuestionTimeUp: {
        // A manual item shows its answer when asked to, an automatic one when its question
        // time is up.
        if (manual != (event == Event::Reveal) || !asking)
            return unchanged(item);
        TestItemState next = item;
        next.stage = Stage::Answered;
        TestItemStep step = handled(next);
        step.showAnswer = true;
        return step;
    }
    case Event::JudgeRight:
    case Event::JudgeWrong: {
        if (!manual || asking)
            return unchanged(item);
        TestItemState next = item;
        next.stage = Stage::None;
        next.judgement = event == Event::JudgeRight;
        TestItemStep step = handled(next);
        step.record = next.judgement;
        step.nextItem = true;
        return step;
    }
    case Event::AnswerTimeUp: {
        // Nobody took it in time: wrong.
        if (manual || asking)
            return unchanged(item);
        TestItemStep step = handled({Stage::None, item.answerFetched, false});
        step.record = false;
        step.nextItem = true;
        return step;
    }
    case Event::WaitOver:
    case Event::Pause:
    case Event::Resume:
        return unchanged(item);
    }
    return unchanged(item);
}

} // namespace

TestItemStep nextStep(const TestItemState& item, TestItemEvent event, const TestItemFacts& facts)
{
    switch (item.stage) {
    case Stage::None:
        return unchanged(item);
    case Stage::Asking:
    case Stage::Answered:
        return untaken(item, event, facts);
    case Stage::Taken:
        // Recorded already: a skip only moves on, the timer shows the answer and the next.
        if (event == Event::Skip) {
            TestItemState next = item;
            next.stage = Stage::MovingOn;
            TestItemStep step = handled(next);
            step.showAnswer = true;
            step.waitMs = kTakenWaitMs;
            return step;
        }
        if (event == Event::QuestionTimeUp) {
            TestItemStep step = handled(item);
            step.showAnswer = true;
            return step;
        }
        if (event == Event::AnswerTimeUp) {
            TestItemStep step = handled({Stage::None, item.answerFetched, item.judgement});
            step.nextItem = true;
            return step;
        }
        return unchanged(item);
    case Stage::MovingOn: {
        // Nothing but the end of the wait moves a taken item; the manual test records it
        // then.
        const bool manual = facts.kind == TestKind::Manual;
        if (event != (manual ? Event::WaitOver : Event::AnswerTimeUp))
            return unchanged(item);
        TestItemStep step = handled({Stage::None, item.answerFetched, item.judgement});
        if (manual)
            step.record = item.judgement;
        step.nextItem = true;
        return step;
    }
    }
    return unchanged(item);
}

} // namespace keruna
