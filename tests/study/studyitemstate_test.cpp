// Every event against every stage of a study item.
#include "study/studyitem.h"

#include <gtest/gtest.h>

using namespace keruna;

namespace {

using Stage = StudyItemStage;
using Event = StudyItemEvent;

enum Effect : unsigned {
    Ignored = 0,
    Handled = 1,
    Takes = 2, // the item's buttons lock
    Adds = 4, // into the GET list
    MovesOn = 8, // the answer, the wait, the next item
};

struct Row {
    Stage from;
    bool fetched; // the answer was fetched with Tab before
    bool maruNext;
    bool answerPhase;
    Event event;
    Stage to;
    bool fetchedAfter;
    unsigned effects;
};

// clang-format off
const Row kRows[] = {
    // On show, not taken.
    {Stage::Open, false, false, false, Event::Claim, Stage::Kept, false, Handled | Takes | Adds},
    {Stage::Open, false, true, false, Event::Claim, Stage::MovingOn, false, Handled | Takes | Adds | MovesOn},
    {Stage::Open, true, false, true, Event::Claim, Stage::Kept, true, Handled | Takes | Adds},
    {Stage::Open, false, false, false, Event::TypedRight, Stage::MovingOn, false, Handled | Takes | MovesOn},
    {Stage::Open, false, false, true, Event::TypedRight, Stage::MovingOn, false, Handled | Takes | Adds | MovesOn},
    {Stage::Open, true, false, true, Event::TypedRight, Stage::MovingOn, true, Handled | Takes | MovesOn},
    {Stage::Open, false, false, true, Event::Skip, Stage::MovingOn, false, Handled | Takes | MovesOn},
    {Stage::Open, false, false, false, Event::Tab, Stage::Open, true, Handled},
    // Taken with ○, the phases running on: only a skip moves it on.
    {Stage::Kept, false, false, true, Event::Claim, Stage::Kept, false, Ignored},
    {Stage::Kept, false, false, true, Event::TypedRight, Stage::Kept, false, Ignored},
    {Stage::Kept, false, false, false, Event::Skip, Stage::MovingOn, false, Handled | Takes | MovesOn},
    {Stage::Kept, false, false, false, Event::Tab, Stage::Kept, true, Handled},
    // Moving on: a skip starts the wait again; nothing else takes it.
    {Stage::MovingOn, false, true, true, Event::Claim, Stage::MovingOn, false, Ignored},
    {Stage::MovingOn, false, false, true, Event::TypedRight, Stage::MovingOn, false, Ignored},
    {Stage::MovingOn, false, false, false, Event::Skip, Stage::MovingOn, false, Handled | Takes | MovesOn},
    {Stage::MovingOn, false, false, false, Event::Tab, Stage::MovingOn, true, Handled},
    // No item on show.
    {Stage::None, false, true, true, Event::Claim, Stage::None, false, Ignored},
    {Stage::None, false, false, true, Event::TypedRight, Stage::None, false, Ignored},
    {Stage::None, false, false, false, Event::Skip, Stage::None, false, Ignored},
    {Stage::None, false, false, false, Event::Tab, Stage::None, false, Ignored},
};
// clang-format on

} // namespace

TEST(StudyItemState, EveryEventInEveryStage)
{
    for (const Row& r : kRows) {
        const StudyItemStep step
            = nextStudyStep({r.from, r.fetched}, r.event, {r.maruNext, r.answerPhase});
        const unsigned effects = (step.handled ? Handled : 0u) | (step.take ? Takes : 0u)
            | (step.addToGetList ? Adds : 0u) | (step.moveOn ? MovesOn : 0u);
        const auto row = ::testing::Message() << "row " << (&r - kRows);
        EXPECT_EQ(effects, r.effects) << row;
        EXPECT_EQ(step.state, (StudyItemState {r.to, r.fetchedAfter})) << row;
    }
    EXPECT_EQ(freshStudyItem(), (StudyItemState {Stage::Open, false}));
}
