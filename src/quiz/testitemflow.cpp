// The events of a test's item: ○, ×, skip, Tab, typed text, 答えの確認 and the wait
// after an item was taken.
#include "quiz/testengine.h"

#include "common/clock.h"
#include "common/numbers.h"
#include "common/random.h"
#include "common/textmatch.h"
#include "mainscreen/maincontrols.h"
#include "mainscreen/mainmenus.h"
#include "mainscreen/mainstate.h"
#include "problemdata/problemrecord.h"
#include "problemdata/problemset.h"
#include "quiz/testscore.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "study/studyengine.h"
#include "study/typedspeed.h"
#include "ui/cardtext.h"
#include "ui/platform.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

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
    const bool appended = m_hooks.appendToGetList
        && m_hooks.appendToGetList(
            s.currentLine, red, true, numberTest ? -1 : m_t.orderLines.value(s.n - 1, -1));
    int& count = correct ? m_t.correctCount : m_t.wrongCount;
    if (count >= kMaxCount) {
        fail(AppError::of(ErrorNumber::Overflow));
        return;
    }
    ++count;
    if (correct && appended && m_hooks.checkSelectedGetEntry)
        m_hooks.checkSelectedGetEntry();
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
    MainControls& c = m_ctx.controls;
    if (before != TestItemStage::Taken) {
        if (m_hooks.stopTimerBar)
            m_hooks.stopTimerBar();
        const QSignalBlocker blocker(c.cuttext);
        c.cuttext->setText(QStringLiteral("○"));
    }
    DisableItemButtons();
    if (kind() == TestKind::Manual) {
        for (QWidget* w : std::initializer_list<QWidget*> {
                 c.syudouMARU, c.syudouBATU, c.syudouKAKUNIN, c.syudouskip})
            w->setEnabled(false);
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
    m_ctx.controls.syudouskip->setEnabled(false);
    m_ctx.controls.listSkipbtn->setEnabled(false);
    takeItem(TestItemEvent::Skip);
}

void TestEngine::showAnswerByTab()
{
    StudySession& s = m_study.session();
    if (!running() || !m_study.itemCurrent() || !move(TestItemEvent::Tab).handled)
        return;
    {
        const QSignalBlocker blocker(m_ctx.controls.cuttext);
        m_ctx.controls.cuttext->clear();
    }
    if (kind() == TestKind::Number) {
        showCardText(m_ctx.controls.Label1, s.currentLine);
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
            m_ctx.controls.Label1->setText(text);
            if (m_hooks.stickShown && m_hooks.stickShown())
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
    MainControls& c = m_ctx.controls;
    m_answerClear->setEnabled(false);
    if (m_ctx.menus.action(QStringLiteral("mTimelag"))->isChecked()
        || (running() && (m_t.listening || kind() == TestKind::Number)))
        showCardText(c.Label1, {});
    showCardText(c.Label2, {});
    // The Tab answer's display ends here too; only a manual item's wait moves it on.
    if (!running() || kind() != TestKind::Manual)
        return;
    moveManualItem(TestItemEvent::WaitOver);
}

void TestEngine::revealAnswer()
{
    MainControls& c = m_ctx.controls;
    if (!running() || kind() != TestKind::Manual || !move(TestItemEvent::Reveal).handled)
        return;
    showTestAnswer(false);
    c.syudouMARU->setEnabled(true);
    c.syudouBATU->setEnabled(true);
    c.syudouKAKUNIN->setEnabled(false);
    if (m_ctx.state.nyuuryokumode == 1 && c.cuttext->isVisible() && c.cuttext->isEnabled())
        c.cuttext->setFocus();
    else if (m_hooks.focusGetList)
        m_hooks.focusGetList();
    if (m_hooks.stopTimerBar)
        m_hooks.stopTimerBar();
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
    MainControls& c = m_ctx.controls;
    if (s.n >= s.N) {
        enableMainControls();
        EndTest();
        return;
    }
    if (m_hooks.eraseHandwriting)
        m_hooks.eraseHandwriting();
    c.syudouMARU->setEnabled(false);
    c.syudouBATU->setEnabled(false);
    c.syudouKAKUNIN->setEnabled(true);
    startItem();
    if (m_ctx.state.nyuuryokumode != 1 && m_hooks.focusGetList)
        m_hooks.focusGetList();
    askManualItem();
}

void TestEngine::askManualItem()
{
    if (!AdvanceItem())
        return;
    showQuestion();
    if (m_t.listening && m_hooks.speakItem)
        runHeld([this] { m_hooks.speakItem(); });
    // The end may have been pressed while the word was heard.
    if (!running())
        return;
    // The item's time runs from the end of the word.
    m_study.session().phaseStart = m_ctx.clock.secondsSinceMidnight();
    if (m_hooks.startTimerBar)
        m_hooks.startTimerBar();
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
