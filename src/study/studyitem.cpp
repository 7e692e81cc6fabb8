#include "study/studyitem.h"

namespace keruna {

StudyItemStep nextStudyStep(
    const StudyItemState& item, StudyItemEvent event, const StudyItemFacts& facts)
{
    StudyItemStep step;
    step.state = item;
    if (item.stage == StudyItemStage::None)
        return step;
    const bool open = item.stage == StudyItemStage::Open;
    switch (event) {
    case StudyItemEvent::Claim:
        if (!open)
            return step;
        step.take = true;
        step.addToGetList = true;
        step.moveOn = facts.nextAfterMaru;
        break;
    case StudyItemEvent::TypedRight:
        if (!open)
            return step;
        step.take = true;
        // Into the GET list only as an answer to its own phase, and never after Tab.
        step.addToGetList = facts.answerPhase && !item.answerFetched;
        step.moveOn = true;
        break;
    case StudyItemEvent::Skip:
        // Also after a ○ that stays: the learner moves on.
        step.take = true;
        step.moveOn = true;
        break;
    case StudyItemEvent::Tab:
        step.state.answerFetched = true;
        break;
    }
    step.handled = true;
    if (step.take)
        step.state.stage = step.moveOn ? StudyItemStage::MovingOn : StudyItemStage::Kept;
    return step;
}

} // namespace keruna
