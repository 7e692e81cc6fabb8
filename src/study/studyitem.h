#pragma once

namespace keruna {

// Where the item on show in study stands. Every event of the item moves it through
// nextStudyStep, and a new item starts from a fresh state: nothing of one item outlives it.
enum class StudyItemStage {
    None, // no item on show
    Open, // on show, not taken
    Kept, // taken with ○ into the GET list; the phases run on
    MovingOn, // taken or skipped; the answer shows a moment, then the next item follows
};

enum class StudyItemEvent {
    Claim, // ○: listmaru, zidouMARU (into the GET list)
    Skip, // syudouskip, listSkipbtn
    TypedRight, // the typing box holds exactly the answer
    Tab, // the answer fetched with Tab: the item is not known
};

struct StudyItemFacts {
    bool nextAfterMaru = false; // MARUNEXT: ○ moves on at once
    bool answerPhase = false; // the answer shows (its own phase)
};

struct StudyItemState {
    StudyItemStage stage = StudyItemStage::None;
    bool answerFetched = false; // fetched with Tab: a typed answer does not count as known
    bool operator==(const StudyItemState&) const = default;
};

// What an event does: the item's next state and the steps the engine takes.
struct StudyItemStep {
    StudyItemState state;
    bool handled = false; // false: the event means nothing to the item now
    bool take = false; // taken or skipped: the item's buttons lock
    bool addToGetList = false;
    bool moveOn = false; // show the answer, wait, then the next item
};

StudyItemStep nextStudyStep(
    const StudyItemState& item, StudyItemEvent event, const StudyItemFacts& facts);

// The state a new item starts in.
inline StudyItemState freshStudyItem()
{
    return {StudyItemStage::Open, false};
}

} // namespace keruna
