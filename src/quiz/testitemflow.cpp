// The events of a test's item: ○, ×, skip, Tab, typed text, 答えの確認 and the wait
// after an item was taken.
#include "quiz/testengine.h"

#include "common/clock.h"
#include "common/numbers.h"
#include "common/random.h"
#include "common/textmatch.h"
#include "mainscreen/mainstate.h"
#include "problemdata/problemrecord.h"
#include "problemdata/problemset.h"
#include "quiz/testscore.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "study/studyengine.h"
#include "study/typedspeed.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace keruna {

namespace {

constexpr int kMaxCount = 32767;

} // namespace

TestItemFacts TestEngine::facts() const
{
    return {kind(), m_ctx.state.nyuuryokumode == 1, m_ctx.state.options.nextAfterMaru};
}

TestItemStep TestEngine::move(TestItemEvent event)
{
    TestItemStep step = nextStep(m_item, event, facts());
    if (step.handled)
        m_item = step.state;
    return step;
}

bool TestEngine::taken() const
{
    return m_item.stage == TestItemStage::Taken || m_item.stage == TestItemStage::MovingOn;
}

void TestEngine::RecordJudgement(bool correct)
{
    StudySession& s = m_study.session();
    const bool numberTest = kind() == TestKind::Number;
    const bool red = !numberTest && isRedRecord(m_t.order.value(s.n - 1));
    // Each judgement its own entry, duplicate records too: the score is the list's checks.
    const bool appended = m_view.appendJudged(
        s.currentLine, red, numberTest ? -1 : m_t.orderLines.value(s.n - 1, -1));
    int& count = correct ? m_t.correctCount : m_t.wrongCount;
    if (count >= kMaxCount) {
        fail(AppError::of(ErrorNumber::Overflow));
        return;
    }
    ++count;
    if (correct && appended)
        m_view.checkSelectedGetEntry();
    ComposeScoreText();
}

void TestEngine::DisableItemButtons()
{
    // After an item is taken without moving on, skip is what moves it on.
    m_study.lockItemButtons(m_item.stage == TestItemStage::Taken && m_study.itemCurrent());
}

void TestEngine::takeItem(TestItemEvent event)
{
    const TestItemStage before = m_item.stage;
    const TestItemStep step = move(event);
    if (!step.handled)
        return;
    if (before != TestItemStage::Taken) {
        m_card.stopTimerBar();
        m_view.markTypingTaken();
    }
    DisableItemButtons();
    if (kind() == TestKind::Manual) {
        m_view.enableManualButtons(false, false);
        m_view.enableManualSkip(false);
    }
    if (step.record) {
        RecordJudgement(*step.record);
        if (!running())
            return;
    }
    if (step.waitMs > 0)
        startWait();
    if (step.showAnswer)
        showTestAnswer(true);
}

void TestEngine::startWait()
{
    // The answer stays a moment, then the next item follows: the manual test's own timer,
    // or the step timer with the wait as its phase (a pause keeps what is left of it).
    if (kind() == TestKind::Manual) {
        m_answerClear->setEnabled(false);
        m_answerClear->setInterval(kTakenWaitMs);
        m_answerClear->setEnabled(true);
        return;
    }
    StudySession& s = m_study.session();
    if (s.perSecondMode)
        s.tickCount = int(s.tickLimit);
    m_study.setPausedControls(false);
    s.phase = StudyPhase::AwaitItem;
    s.phaseStart = m_ctx.clock.secondsSinceMidnight();
    s.pausedElapsed = 0;
    restartActiveTimer(kTakenWaitMs);
}

void TestEngine::claim()
{
    if (!running() || !m_study.itemCurrent())
        return;
    takeItem(TestItemEvent::Claim);
}

void TestEngine::SkipItem()
{
    if (!running() || !m_study.itemCurrent())
        return;
    m_card.lockSkip();
    takeItem(TestItemEvent::Skip);
}

void TestEngine::showAnswerByTab()
{
    StudySession& s = m_study.session();
    if (!running() || !m_study.itemCurrent() || !move(TestItemEvent::Tab).handled)
        return;
    m_card.clearTypingBox();
    if (kind() == TestKind::Number) {
        m_card.showQuestion(s.currentLine);
    } else {
        s.answerOnDemand = false;
        m_study.ShowAnswer();
    }
    m_answerClear->setEnabled(false);
    m_answerClear->setInterval(kFetchedAnswerMs);
    m_answerClear->setEnabled(true);
}

void TestEngine::typedTextChanged(const QString& text)
{
    StudySession& s = m_study.session();
    if (!running() || !m_study.itemCurrent() || taken() || m_item.stage == TestItemStage::None)
        return;
    if (kind() == TestKind::Number) {
        if (m_ctx.state.options.showTypedText) {
            m_card.echoTyped(true, text);
            if (m_card.stickShown())
                m_study.showStick(text);
        }
    } else {
        m_study.echoTypedText(text);
    }
    // Exactly the answer: case, width and spaces all count (the input method's marks
    // that code page 932 writes otherwise stand for the list's own).
    if (sameTypedText(text, s.item.answer))
        takeItem(TestItemEvent::TypedRight);
}

void TestEngine::answerClearTick()
{
    m_answerClear->setEnabled(false);
    if (m_card.timeLag() || (running() && (m_t.listening || kind() == TestKind::Number)))
        m_card.showQuestion({});
    m_card.showAnswer({});
    // The Tab answer's display ends here too; only a manual item's wait moves it on.
    if (!running() || kind() != TestKind::Manual)
        return;
    moveManualItem(TestItemEvent::WaitOver);
}

void TestEngine::revealAnswer()
{
    if (!running() || kind() != TestKind::Manual || !move(TestItemEvent::Reveal).handled)
        return;
    showTestAnswer(false);
    m_view.enableManualButtons(false, true);
    if (m_ctx.state.nyuuryokumode == 1 && m_view.typingBoxOpen())
        m_view.focusTypingBox();
    else
        m_view.focusGetList();
    m_card.stopTimerBar();
}

void TestEngine::judge(bool correct)
{
    if (!running() || kind() != TestKind::Manual)
        return;
    moveManualItem(correct ? TestItemEvent::JudgeRight : TestItemEvent::JudgeWrong);
}

void TestEngine::nextManualItem()
{
    StudySession& s = m_study.session();
    if (s.n >= s.N) {
        unlockAfterTest();
        EndTest();
        return;
    }
    m_card.clearHandwriting();
    m_view.enableManualButtons(true, false);
    startItem();
    if (m_ctx.state.nyuuryokumode != 1)
        m_view.focusGetList();
    askManualItem();
}

void TestEngine::askManualItem()
{
    if (!AdvanceItem())
        return;
    showQuestion();
    if (m_t.listening)
        runHeld([this] { m_card.speakItem(); });
    // The end may have been pressed while the word was heard.
    if (!running())
        return;
    // The item's time runs from the end of the word.
    m_study.session().phaseStart = m_ctx.clock.secondsSinceMidnight();
    startTimerBar();
}

void TestEngine::moveManualItem(TestItemEvent event)
{
    const TestItemStep step = move(event);
    if (!step.handled)
        return;
    if (step.record) {
        RecordJudgement(*step.record);
        if (!running())
            return;
    }
    nextManualItem();
}

} // namespace keruna
