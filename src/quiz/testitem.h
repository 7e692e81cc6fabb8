#pragma once

#include "mainscreen/testkind.h"

#include <optional>

namespace keruna {

// Where the current item of a test stands. Every event of the item moves it through
// nextStep, and a new item starts from a fresh state: nothing of one item outlives it.
enum class TestItemStage {
    None, // no item on show
    Asking, // the question shows
    Answered, // its answer shows and it is not taken yet (answer phase, 答えの確認)
    Taken, // judged and recorded; the phases run on (○ without moving on)
    MovingOn, // taken; the next item follows when the wait is over
};

enum class TestItemEvent {
    Claim, // ○: zidouMARU, listmaru
    Skip, // syudouskip, listSkipbtn
    TypedRight, // the typing box holds exactly the answer
    Tab, // the answer button (cuttabc)
    Reveal, // 答えの確認, or the manual timer bar running out
    JudgeRight, // ○ of the manual test
    JudgeWrong, // × of the manual test
    QuestionTimeUp, // the step timer at the end of the question phase
    AnswerTimeUp, // the step timer at the end of the answer phase, or of the wait
    WaitOver, // the wait after a manual item was taken
    Pause,
    Resume,
};

struct TestItemFacts {
    TestKind kind = TestKind::Automatic;
    bool typedInput = false;
    bool nextAfterMaru = false; // MARUNEXT: ○ moves on at once in the timed tests
};

struct TestItemState {
    TestItemStage stage = TestItemStage::None;
    bool answerFetched = false; // the answer was fetched with Tab: a typed answer is wrong
    std::optional<bool> judgement; // once taken: correct or not
    bool operator==(const TestItemState&) const = default;
};

// What an event does: the item's next state and the steps the engine takes, in this
// order: record, show the answer, start the wait, go on to the next item.
struct TestItemStep {
    TestItemState state;
    bool handled = false; // false: the event means nothing to the item now
    std::optional<bool> record; // record the judgement now
    bool showAnswer = false;
    int waitMs = 0; // the wait after taking (1400) or the Tab answer's display (1000)
    bool nextItem = false; // the next item now, or the end after the last
};

inline constexpr int kTakenWaitMs = 1400;
inline constexpr int kFetchedAnswerMs = 1000;

TestItemStep nextStep(const TestItemState& item, TestItemEvent event, const TestItemFacts& facts);

// The state a new item starts in.
inline TestItemState freshItem()
{
    return {TestItemStage::Asking, false, std::nullopt};
}

} // namespace keruna
