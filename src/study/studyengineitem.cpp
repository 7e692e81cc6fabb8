// StudyEngine: the item on show taken with ○, skipped, answered by typing or fetched with
// Tab, and its buttons.
#include "study/studyengine.h"

#include "common/clock.h"
#include "common/textmatch.h"
#include "mainscreen/mainstate.h"

namespace keruna {

bool StudyEngine::itemEvent(StudyItemEvent event)
{
    if (!itemCurrent())
        return false;
    const StudyItemFacts facts {
        m_ctx.state.options.nextAfterMaru, m_s.phase == StudyPhase::AwaitAnswer};
    const StudyItemStep step = nextStudyStep(m_s.itemState, event, facts);
    if (!step.handled)
        return false;
    m_s.itemState = step.state;
    if (step.take)
        AcceptItem(event, step);
    return true;
}

void StudyEngine::addCurrentItem()
{
    itemEvent(StudyItemEvent::Claim);
}

void StudyEngine::SkipItem()
{
    if (!itemCurrent())
        return;
    m_view.lockSkip();
    itemEvent(StudyItemEvent::Skip);
}

void StudyEngine::AcceptItem(StudyItemEvent event, const StudyItemStep& step)
{
    m_view.stopTimerBar();
    m_view.showTypingTaken();
    DisableItemButtons();
    if (step.addToGetList)
        m_view.appendToGetList();
    if (step.moveOn) {
        if (m_s.perSecondMode)
            m_s.tickCount = int(m_s.tickLimit);
        setPausedControls(false);
        m_s.phase = StudyPhase::AwaitItem;
        // The answer stays a moment, then the next item follows.
        m_timer->setEnabled(false);
        m_timer->setInterval(1400);
        m_timer->setEnabled(true);
        // Question and answer show together after the GET ○, or on the stick strip when
        // typed text is echoed; otherwise the answer shows as in its own phase.
        m_s.answerOnDemand = event == StudyItemEvent::Claim
            || (m_ctx.state.options.showTypedText && m_view.stickShown());
        ShowAnswer();
    }
}

void StudyEngine::showAnswerByTab()
{
    if (!itemEvent(StudyItemEvent::Tab))
        return;
    m_view.clearTypingBox();
    ShowAnswer();
    m_answerClear->setEnabled(false);
    m_answerClear->setInterval(1000);
    m_answerClear->setEnabled(true);
}

void StudyEngine::typedTextChanged(const QString& text)
{
    if (!itemCurrent() || itemTaken())
        return;
    echoTypedText(text);
    // Exactly the answer, character for character: nothing is trimmed or normalised.
    if (sameTypedText(text, m_s.item.answer))
        itemEvent(StudyItemEvent::TypedRight);
}

void StudyEngine::echoTypedText(const QString& text)
{
    if (!m_ctx.state.options.showTypedText)
        return;
    const QString& question = m_s.item.question;
    if (m_ctx.state.options.longText) {
        const QString both = question + QStringLiteral("\r\n\r\n") + text;
        m_view.echoTyped(true, both);
        showStick(both);
    } else {
        m_view.echoTyped(false, text);
        showStick(question + u' ' + text);
    }
}

void StudyEngine::EnableItemButtons()
{
    ResetTypingBox();
    m_view.enableItemButtons();
}

void StudyEngine::DisableItemButtons()
{
    lockItemButtons(m_s.itemState.stage != StudyItemStage::MovingOn && itemCurrent());
}

void StudyEngine::lockItemButtons(bool skipStays)
{
    m_view.lockItemButtons(skipStays);
}

} // namespace keruna
