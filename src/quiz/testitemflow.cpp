// The events of a test's item: ○, ×, skip, Tab, typed text, 答えの確認 and the wait
// after an item was taken.
#include "quiz/testengine.h"

#include "common/clock.h"
#include "common/numbers.h"
#include "common/random.h"
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

constexpr int kAcceptPauseMs = 1400; // the answer stays this long after an item was taken
constexpr int kTabAnswerMs = 1000;
constexpr int kMaxCount = 32767;

} // namespace

void TestEngine::RecordJudgement()
{
    StudySession& s = m_study.session();
    const bool numberTest = kind() == TestKind::Number;
    const bool red = !numberTest && isRedRecord(m_t.order.value(s.n - 1));
    // Each judgement its own entry, duplicate records too: the score is the list's checks.
    const bool appended
        = m_hooks.appendToGetList && m_hooks.appendToGetList(s.currentLine, red, true);
    int& count = s.countAsWrong ? m_t.wrongCount : m_t.correctCount;
    if (count >= kMaxCount) {
        fail(AppError::of(ErrorNumber::Overflow));
        return;
    }
    ++count;
    if (!s.countAsWrong && appended && m_hooks.checkSelectedGetEntry)
        m_hooks.checkSelectedGetEntry();
    s.countAsWrong = false;
    m_t.skipAsWrong = false;
    ComposeScoreText();
}

void TestEngine::AcceptItem()
{
    StudySession& s = m_study.session();
    MainControls& c = m_ctx.controls;
    if (m_hooks.stopTimerBar)
        m_hooks.stopTimerBar();
    s.alreadyAccepted = true;
    {
        const QSignalBlocker blocker(c.cuttext);
        c.cuttext->setText(QStringLiteral("○"));
    }
    m_study.DisableItemButtons();
    if (kind() == TestKind::Manual) {
        if (m_ctx.state.nyuuryokumode == 1 && !c.syudouKAKUNIN->isEnabled())
            s.countAsWrong = true;
        m_answerClear->setEnabled(false);
        m_answerClear->setInterval(kAcceptPauseMs);
        m_answerClear->setEnabled(true);
        for (QWidget* w : std::initializer_list<QWidget*> {
                 c.syudouMARU, c.syudouBATU, c.syudouKAKUNIN, c.syudouskip})
            w->setEnabled(false);
    } else {
        if (!s.skipRequested) {
            // ○ always counts; a typed answer only while its question still shows.
            s.countAsWrong
                = !((s.phase == StudyPhase::AwaitAnswer && !m_t.skipAsWrong) || s.addRequested);
            RecordJudgement();
            if (!running())
                return;
        }
        if (s.advanceNow) {
            if (s.perSecondMode)
                s.tickCount = int(s.tickLimit);
            m_study.setPausedControls(false);
            s.phase = StudyPhase::AwaitItem;
            // A pause in the wait keeps what is left of it.
            s.phaseStart = m_ctx.clock.secondsSinceMidnight();
            s.pausedElapsed = 0;
            restartActiveTimer(kAcceptPauseMs);
        }
    }
    if (s.advanceNow)
        showTestAnswer(true);
    s.skipRequested = false;
    s.addRequested = false;
}

void TestEngine::claim()
{
    StudySession& s = m_study.session();
    if (!running() || !m_study.itemCurrent() || s.alreadyAccepted)
        return;
    s.addRequested = true;
    // A manual test has no step timer: an item taken with ○ must move on by itself, or
    // every button would stay locked.
    if (m_ctx.state.options.nextAfterMaru || kind() == TestKind::Manual)
        s.advanceNow = true;
    AcceptItem();
}

void TestEngine::SkipItem()
{
    StudySession& s = m_study.session();
    if (!running() || !m_study.itemCurrent())
        return;
    m_ctx.controls.syudouskip->setEnabled(false);
    m_ctx.controls.listSkipbtn->setEnabled(false);
    if (kind() == TestKind::Manual)
        s.countAsWrong = true;
    else if (s.alreadyAccepted)
        s.skipRequested = true;
    else
        m_t.skipAsWrong = true;
    s.advanceNow = true;
    AcceptItem();
}

void TestEngine::showAnswerByTab()
{
    StudySession& s = m_study.session();
    // Once an item is taken its judgement stands, and the wait that moves on is its own.
    if (!running() || !m_study.itemCurrent() || s.alreadyAccepted)
        return;
    {
        const QSignalBlocker blocker(m_ctx.controls.cuttext);
        m_ctx.controls.cuttext->clear();
    }
    if (kind() == TestKind::Number) {
        m_ctx.controls.Label1->setText(s.currentLine);
    } else {
        s.answerOnDemand = false;
        m_study.ShowAnswer();
    }
    m_answerClear->setEnabled(false);
    m_answerClear->setInterval(kTabAnswerMs);
    m_answerClear->setEnabled(true);
    if (kind() == TestKind::Manual)
        s.countAsWrong = true;
    else
        m_t.skipAsWrong = true;
}

void TestEngine::typedTextChanged(const QString& text)
{
    StudySession& s = m_study.session();
    if (!running() || !m_study.itemCurrent() || s.alreadyAccepted)
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
    // Exactly the answer: case, width and spaces all count.
    if (text == s.item.answer) {
        s.advanceNow = true;
        AcceptItem();
    }
}

void TestEngine::answerClearTick()
{
    StudySession& s = m_study.session();
    MainControls& c = m_ctx.controls;
    m_answerClear->setEnabled(false);
    if (m_ctx.menus.action(QStringLiteral("mTimelag"))->isChecked()
        || (running() && (m_t.listening || kind() == TestKind::Number)))
        c.Label1->clear();
    c.Label2->clear();
    if (running() && kind() == TestKind::Manual && s.advanceNow)
        JudgeAndAdvance();
    s.advanceNow = false;
}

void TestEngine::revealAnswer()
{
    MainControls& c = m_ctx.controls;
    if (!running() || kind() != TestKind::Manual || !c.syudouKAKUNIN->isEnabled())
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
    MainControls& c = m_ctx.controls;
    if (!running() || kind() != TestKind::Manual || !c.syudouMARU->isEnabled())
        return;
    m_study.session().countAsWrong = !correct;
    JudgeAndAdvance();
}

void TestEngine::JudgeAndAdvance()
{
    StudySession& s = m_study.session();
    MainControls& c = m_ctx.controls;
    if (s.n > 0) {
        RecordJudgement();
        if (!running())
            return;
    }
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
    // The typing box and ○ come back for each item; taking one item must not lock the rest.
    s.alreadyAccepted = false;
    s.addRequested = s.skipRequested = false;
    m_study.EnableItemButtons();
    if (m_ctx.state.nyuuryokumode != 1 && m_hooks.focusGetList)
        m_hooks.focusGetList();
    if (!AdvanceItem())
        return;
    showQuestion();
    if (m_t.listening && m_hooks.speakItem) {
        runHeld([this] { m_hooks.speakItem(); });
        if (!running())
            return;
    }
    s.phaseStart = m_ctx.clock.secondsSinceMidnight();
    if (m_hooks.startTimerBar)
        m_hooks.startTimerBar();
}

} // namespace keruna
