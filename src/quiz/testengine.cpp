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
constexpr int kMaxBound = 1000000;

const QString kEndMessage = QStringLiteral("お疲れ様、テスト終了です。STARTで再開できるよ。");

// The controls a test locks (menus by name, main and popup), so that nothing changes
// the list or the range under it.
const char* const kLockedMenus[] = {"mmondaihyouzi", "mdmondaihyouzi", "mDB", "mdDB", "mondaireset",
    "mfile", "mhensyuu", "mdnormal", "mdrandom", "mdDouzi", "mdTimelag", "mdsokudo",
    "mdkaitouhyouzi", "mdteisi", "mdone", "mdmae", "mdtest", "mdopen", "mdstart", "mdsyuuryou"};

} // namespace

TestEngine::TestEngine(StudyEngine& study, QString settingsPath, TestHooks hooks)
    : m_ctx(study.context())
    , m_study(study)
    , m_settingsPath(std::move(settingsPath))
    , m_hooks(std::move(hooks))
    , m_timer6(m_ctx.timers.createTimer())
    , m_numberTimer(m_ctx.timers.createTimer())
    , m_answerClear(m_ctx.timers.createTimer())
    , m_active(m_timer6.get())
{
    m_timer6->setOnTimeout([this] { runHeld([this] { automaticTick(); }); });
    m_numberTimer->setOnTimeout([this] { runHeld([this] { numberTick(); }); });
    m_answerClear->setOnTimeout([this] { answerClearTick(); });
}

TestEngine::~TestEngine() = default;

bool TestEngine::running() const
{
    return m_ctx.state.testmode;
}

TestKind TestEngine::kind() const
{
    return m_ctx.state.testKind;
}

void TestEngine::runHeld(const std::function<void()>& tick)
{
    // A tick that comes due while the previous one waits for speech is dropped, as a
    // blocked timer's would be.
    if (m_inTick)
        return;
    m_study.holdCommandsDuring([&] {
        m_inTick = true;
        tick();
        m_inTick = false;
    });
}

void TestEngine::applyChoice(const TestChoice& choice)
{
    MainControls& c = m_ctx.controls;
    MainState& st = m_ctx.state;
    m_t.savedRandom = c.Rndop[0]->isChecked();
    m_t.savedReverse = c.Revch->isChecked();
    m_t.savedSpeech = c.Spkch->isChecked();
    st.testKind = choice.kind;
    st.nyuuryokumode = choice.typedInput ? 1 : 0;
    c.rev->setChecked(choice.reverse);
    c.Revch->setChecked(choice.reverse);
    c.kikitori->setChecked(choice.listening);
    c.Spkch->setChecked(choice.listening);
    c.tsec->setEditText(choice.seconds);
    c.ketamin->setEditText(choice.lowest);
    c.ketamax->setEditText(choice.highest);
    m_t.randomOrder = choice.random;
}

void TestEngine::begin()
{
    MainControls& c = m_ctx.controls;
    MainState& st = m_ctx.state;
    StudySession& s = m_study.session();
    disableMainControls();

    m_study.timer().setEnabled(false);
    s.phase = StudyPhase::AwaitItem;
    s.countAsWrong = s.alreadyAccepted = s.advanceNow = false;
    s.addRequested = s.skipRequested = false;
    s.n = 0;
    s.tickCount = 0;
    m_t.skipAsWrong = false;
    m_t.stopRequested = false;
    m_t.correctCount = m_t.wrongCount = 0;
    m_t.number.reset();
    m_t.listening = c.kikitori->isChecked();
    m_active = kind() == TestKind::Number ? m_numberTimer.get() : m_timer6.get();
    m_study.setCurrentTimer(*m_active);
    st.testmode = true;

    layoutInputMode();

    st.testResultsHeld = true;
    m_study.setPausedControls(false);
    s.currentLine.clear();
    s.item = ItemText {};
    s.stickText.clear();
    for (QLabel* l : {c.Label1, c.Label2, c.NoLabel, c.pNolabel})
        l->clear();

    if (m_hooks.applyFontLayout)
        m_hooks.applyFontLayout();
    applySecondsBox();
    st.saveRequest.clear();
    if (m_ctx.range.current)
        st.saveRequest.TestStartRange[size_t(*m_ctx.range.current)] = true;
    SetResultTitle();

    if (kind() == TestKind::Number) {
        c.Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        // Bounds that are not numbers fall back to the first list's defaults.
        if (!isNumeric(c.ketamin->currentText()))
            c.ketamin->setEditText(QStringLiteral("0"));
        if (!isNumeric(c.ketamax->currentText()))
            c.ketamax->setEditText(QStringLiteral("1000"));
        m_t.lowest = int(std::clamp(
            wholePart(toNumber(c.ketamin->currentText()).value_or(0)), 0.0, double(kMaxBound)));
        m_t.highest = int(std::clamp(
            wholePart(toNumber(c.ketamax->currentText()).value_or(1000)), 0.0, double(kMaxBound)));
        restartActiveTimer(1);
    } else {
        m_t.order = rangeList(m_ctx.set, m_t.range);
        if (m_t.randomOrder)
            shuffle(m_t.order, m_ctx.random);
        if (kind() == TestKind::Manual) {
            c.syudouKAKUNIN->setEnabled(true);
            c.syudouskip->setEnabled(true);
            c.syudouMARU->setEnabled(false);
            c.syudouBATU->setEnabled(false);
            m_study.EnableItemButtons();
            if (m_hooks.eraseHandwriting)
                m_hooks.eraseHandwriting();
            if (!AdvanceItem())
                return;
            showQuestion();
            if (m_t.listening && m_hooks.speakItem)
                runHeld([this] { m_hooks.speakItem(); });
            if (!running())
                return;
            s.phaseStart = m_ctx.clock.secondsSinceMidnight();
            if (m_hooks.startTimerBar)
                m_hooks.startTimerBar();
        } else {
            restartActiveTimer(1);
        }
    }
    ComposeScoreText();
    if (st.nyuuryokumode == 1 && c.cuttext->isVisible())
        c.cuttext->setFocus();
    else if (m_hooks.focusGetList)
        m_hooks.focusGetList();
}

void TestEngine::restartActiveTimer(int ms)
{
    m_active->setEnabled(false);
    m_active->setInterval(ms);
    m_active->setEnabled(true);
}

double TestEngine::secondsPerItem() const
{
    const StudySession& s = m_study.session();
    return s.perSecondMode ? s.tickLimit : s.timePerItem / 1000.0;
}

bool TestEngine::AdvanceItem()
{
    StudySession& s = m_study.session();
    s.n += 1;
    const QString record = m_t.order.value(s.n - 1);
    s.previousLine = s.currentLine;
    s.currentLine = itemTextOf(record);
    const AppliedOptions& o = m_ctx.state.options;
    const bool reverse = m_ctx.controls.rev->isChecked();
    Result<ItemText> item = PrepareItemText(
        s.currentLine, s.n, o.delimiter, o.separator, m_study.meaningLimit(), reverse);
    if (!item) {
        fail(item.error());
        return false;
    }
    s.item = std::move(item).value();
    s.itemReversed = reverse;
    m_study.ItemNumberText();
    return true;
}

void TestEngine::showQuestion()
{
    StudySession& s = m_study.session();
    // Heard, not read, in listening mode; with time lag both lines wait for the answer.
    const bool hidden
        = m_t.listening || m_ctx.menus.action(QStringLiteral("mTimelag"))->isChecked();
    const QString question = hidden ? QString() : s.item.question;
    s.stickText = question;
    s.answerOnDemand = false;
    m_ctx.controls.Label1->setText(question);
    m_ctx.controls.Label2->clear();
    m_study.showStick(question);
    if (m_hooks.applyFontLayout)
        m_hooks.applyFontLayout();
}

void TestEngine::showTestAnswer(bool accepted)
{
    StudySession& s = m_study.session();
    if (kind() == TestKind::Number) {
        const QString text = s.currentLine;
        m_ctx.controls.Label1->setText(text);
        m_study.showStick(text);
        return;
    }
    // After an item was taken, the strip shows question and answer together when typed
    // text is echoed there; otherwise the answer shows as in its own phase.
    s.answerOnDemand = accepted && m_ctx.state.options.showTypedText && m_hooks.stickShown
        && m_hooks.stickShown();
    m_study.ShowAnswer();
}

bool TestEngine::countLongTick(EngineTimer& timer, StudyPhase step)
{
    // Speeds above 65 s run one tick a second; only the tick that reaches the limit goes
    // on to the step.
    StudySession& s = m_study.session();
    if (!s.perSecondMode)
        return true;
    const bool due = m_study.CountLongTick();
    if (step == StudyPhase::AwaitItem)
        m_study.SetAnswerInterval(timer);
    else
        m_study.SetQuestionInterval(timer);
    return due;
}

void TestEngine::readyForItem()
{
    // Nothing of the previous item carries over: its pauses, its Tab, its requests.
    StudySession& s = m_study.session();
    s.advanceNow = false;
    m_study.EnableItemButtons();
    s.alreadyAccepted = false;
    s.addRequested = s.skipRequested = false;
    m_t.skipAsWrong = false;
    s.pausedElapsed = 0;
    s.countAsWrong = true; // unless it is taken in time
}

void TestEngine::beginQuestionPhase(EngineTimer& timer, bool speak)
{
    // The phase is timed from the end of speech.
    if (speak && m_hooks.speakItem) {
        m_hooks.speakItem();
        if (!running())
            return;
    }
    m_study.SetQuestionInterval(timer);
    if (m_hooks.startTimerBar)
        m_hooks.startTimerBar();
    StudySession& s = m_study.session();
    if (!s.perSecondMode)
        s.phase = StudyPhase::AwaitAnswer;
}

void TestEngine::automaticTick()
{
    const StudyPhase step = m_study.session().phase;
    if (!countLongTick(*m_timer6, step))
        return;
    if (step == StudyPhase::AwaitAnswer)
        showAutomaticAnswer();
    else
        showNextAutomaticItem();
}

void TestEngine::showAutomaticAnswer()
{
    StudySession& s = m_study.session();
    s.phaseStart = m_ctx.clock.secondsSinceMidnight();
    if (m_hooks.stopTimerBar)
        m_hooks.stopTimerBar();
    showTestAnswer(false);
    m_study.SetAnswerInterval(*m_timer6);
    if (!s.perSecondMode)
        s.phase = StudyPhase::AwaitItem;
}

void TestEngine::showNextAutomaticItem()
{
    StudySession& s = m_study.session();
    s.phaseStart = m_ctx.clock.secondsSinceMidnight();
    if (m_hooks.eraseHandwriting)
        m_hooks.eraseHandwriting();
    if (s.n > 0 && !s.alreadyAccepted) {
        RecordJudgement();
        if (!running())
            return;
    }
    if (s.n >= s.N) {
        enableMainControls();
        EndTest();
        return;
    }
    readyForItem();
    if (!AdvanceItem())
        return;
    showQuestion();
    beginQuestionPhase(*m_timer6, m_t.listening);
}

void TestEngine::numberTick()
{
    StudySession& s = m_study.session();
    MainControls& c = m_ctx.controls;
    const StudyPhase step = s.phase;
    if (!countLongTick(*m_numberTimer, step))
        return;
    s.phaseStart = m_ctx.clock.secondsSinceMidnight();
    if (step == StudyPhase::AwaitAnswer) {
        if (m_hooks.stopTimerBar)
            m_hooks.stopTimerBar();
        c.Label1->setText(s.currentLine);
        m_study.showStick(s.currentLine);
        m_study.SetAnswerInterval(*m_numberTimer);
        if (!s.perSecondMode)
            s.phase = StudyPhase::AwaitItem;
        return;
    }
    if (m_hooks.eraseHandwriting)
        m_hooks.eraseHandwriting();
    if (m_t.number && !s.alreadyAccepted) {
        RecordJudgement();
        if (!running())
            return;
    }
    // The number test runs until it is ended: its item number stays at 1.
    s.n = 1;
    readyForItem();
    m_study.showStick(QString());
    c.Label1->clear();
    drawNumber();
    beginQuestionPhase(*m_numberTimer, true);
}

void TestEngine::drawNumber()
{
    // Uniform over lowest … highest − 1 (0 to 999 with the default bounds); equal bounds
    // give that number.
    const int span = m_t.highest - m_t.lowest;
    int number = m_t.lowest;
    if (span > 0)
        number += std::min(span - 1, int(std::floor(m_ctx.random.nextUnit() * span)));
    m_t.number = number;
    StudySession& s = m_study.session();
    const QString text = QString::number(number);
    s.currentLine = text;
    s.item = ItemText {};
    s.item.parts = {text};
    s.item.answer = text;
}

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

void TestEngine::stop()
{
    if (!running())
        return;
    m_t.stopRequested = true;
    enableMainControls();
    EndTest();
}

void TestEngine::EndTest()
{
    MainControls& c = m_ctx.controls;
    MainState& st = m_ctx.state;
    StudySession& s = m_study.session();
    s.phase = StudyPhase::AwaitItem;
    st.testmode = false;
    for (EngineTimer* t : {m_timer6.get(), m_numberTimer.get(), m_answerClear.get()})
        t->setEnabled(false);
    if (m_hooks.stopTimerBar)
        m_hooks.stopTimerBar();
    m_study.setCurrentTimer(m_study.timer());

    c.Rndop[m_t.savedRandom ? 0 : 1]->setChecked(true);
    c.Revch->setChecked(m_t.savedReverse);
    c.Spkch->setChecked(m_t.savedSpeech);

    for (QWidget* w : std::initializer_list<QWidget*> {c.syuuryoubtn, c.tsec, c.tsecbtn,
             c.ketabotan, c.ketamax, c.ketamin, c.zidouMARU, c.testTEISIbtn, c.testSAIKAIbtn,
             c.syudouKAKUNIN, c.syudouMARU, c.syudouBATU, c.syudouskip, c.kikitori, c.rev,
             c.testkekka, c.testkekkakesi, c.TestListbtn})
        w->hide();
    c.testSIZIlabel->show();
    c.testKEKKAlabel[0]->show();
    c.testKEKKAlabel[2]->hide();
    c.nPickzencheck->show();
    {
        const QSignalBlocker blocker(c.typec);
        c.typec->setChecked(false);
    }
    c.testKEKKAlabel[1]->clear();
    c.testKEKKAlabel[2]->clear();
    c.iroch->setChecked(false);
    c.iroch->hide();

    SettingsStore::WriteValue(QString::number(st.nyuuryokumode), QStringLiteral("NYUURYOKU"),
        Section::Test, m_settingsPath);
    st.nyuuryokumode = 0;
    {
        const QSignalBlocker blocker(c.cuttext);
        c.cuttext->clear();
    }
    c.cuttext->setToolTip(QStringLiteral("Enter：一時停止 Tab：答え"));
    c.typeRow->hide();
    c.Label1->setAlignment(m_ctx.state.options.longText ? Qt::AlignLeft | Qt::AlignTop
                                                        : Qt::AlignHCenter | Qt::AlignTop);

    for (QLabel* l : {c.Label1, c.Label2, c.NoLabel, c.pNolabel})
        l->clear();
    s.currentLine.clear();
    s.previousLine.clear();
    s.item = ItemText {};
    s.stickText.clear();
    s.n = 0;
    m_t.number.reset();
    c.testTEISIbtn->setEnabled(true);
    c.testSAIKAIbtn->setEnabled(false);
    m_study.setPausedControls(false);
    s.countAsWrong = false;
    s.advanceNow = false;

    if (m_hooks.reloadProblemData)
        m_hooks.reloadProblemData();
    ComposeScoreText();
    const bool results
        = kind() != TestKind::Number && m_hooks.testListEmpty && !m_hooks.testListEmpty();
    if (results) {
        c.TestListbtn->show();
        if (m_hooks.showResults)
            m_hooks.showResults();
    }
    c.testSIZIlabel->setText(kEndMessage);
    if (!st.typedSpeedMode)
        m_study.speedBoxChosen(c.Seccom->currentIndex());
    const QString stored
        = SettingsStore::ReadValue(QStringLiteral("SOKUDO"), Section::Test, m_settingsPath);
    if (isValidTypedSpeed(stored))
        c.tsec->setEditText(stored);
    if (m_hooks.relayout)
        m_hooks.relayout();
}

void TestEngine::takeDownTestDisplay()
{
    MainControls& c = m_ctx.controls;
    if (running()) {
        // Nothing of a test cut short is kept: the new list replaces it.
        auto reload = std::exchange(m_hooks.reloadProblemData, nullptr);
        auto results = std::exchange(m_hooks.showResults, nullptr);
        enableMainControls();
        EndTest();
        m_hooks.reloadProblemData = std::move(reload);
        m_hooks.showResults = std::move(results);
    }
    if (!m_ctx.state.testResultsHeld)
        return;
    if (m_hooks.clearTestList)
        m_hooks.clearTestList();
    c.testFrame->hide();
    c.Image1_10->hide();
    c.testKEKKAlabel[0]->hide();
    c.testKEKKAlabel[1]->clear();
    c.testKEKKAlabel[2]->clear();
    c.testKEKKAlabel[2]->hide();
    if (m_hooks.closeDatabaseScreen)
        m_hooks.closeDatabaseScreen();
    m_ctx.state.testResultsHeld = false;
    setGetButtonsShown(true);
    c.iroch->show();
    if (m_hooks.relayout)
        m_hooks.relayout();
}

void TestEngine::fail(const AppError& error)
{
    const QString text = error.number == ErrorNumber::IndexOutOfRange
        ? delimiterMismatchText(m_ctx.state.options.delimiter)
        : errorText(error);
    m_ctx.platform.showMessage(&m_ctx.window, text, MessageIcon::Error, MessageButtons::Ok);
    if (!running())
        return;
    enableMainControls();
    EndTest();
}

void TestEngine::ComposeScoreText()
{
    if (!m_ctx.state.testResultsHeld)
        return;
    MainControls& c = m_ctx.controls;
    const int correct = m_t.correctCount;
    const int wrong = m_t.wrongCount;
    c.testKEKKAlabel[0]->setText(scoreText(correct, wrong));
    if (m_hooks.scoreShown)
        m_hooks.scoreShown(c.testKEKKAlabel[0]->text());
    c.testKEKKAlabel[2]->setText(progressText(
        {kind(), correct + wrong, m_t.itemTotal, secondsPerItem(), m_t.lowest, m_t.highest}));
    if (!running() && kind() != TestKind::Number && m_hooks.showResultScore)
        m_hooks.showResultScore(m_t.resultTitle, correct, wrong, correctRate(correct, wrong));
}

void TestEngine::SetResultTitle()
{
    m_t.range = m_ctx.range.current.value_or(RangeFilter::All);
    const int count = rangeCountOf(m_ctx.set, m_t.range);
    m_study.session().N = count;
    m_t.itemTotal = count;
    if (running())
        m_t.resultTitle = resultTitleText(m_t.range, count);
}

void TestEngine::RecountFromChecks(bool afterTest)
{
    if (!m_hooks.judgedCounts)
        return;
    const auto [checked, unchecked] = m_hooks.judgedCounts(afterTest);
    m_t.correctCount = checked;
    m_t.wrongCount = unchecked;
}

void TestEngine::getListClicked()
{
    if (!running() || (m_hooks.testListEmpty && m_hooks.testListEmpty()))
        return;
    RecountFromChecks(false);
    ComposeScoreText();
}

void TestEngine::applySecondsBox()
{
    MainControls& c = m_ctx.controls;
    const QString text = c.tsec->currentText();
    Result<TypedSpeed> speed = parseTypedSpeed(text);
    if (!speed) {
        m_ctx.platform.showMessage(&m_ctx.window, typedSpeedMessage(speed.error()),
            isNumeric(text) ? MessageIcon::Information : MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    StudySession& s = m_study.session();
    if (speed.value().perSecond) {
        s.tickLimit = speed.value().seconds;
        s.perSecondMode = true;
    } else {
        s.timePerItem = speed.value().seconds * 1000;
        s.perSecondMode = false;
        s.tickCount = 0;
    }
    // The test's speed is its own box's: no speed menu entry stands for it.
    m_ctx.menus.checkOnlyInArray(QStringLiteral("msec"), -1);
    ComposeScoreText();
}

void TestEngine::applyNumberBounds()
{
    MainControls& c = m_ctx.controls;
    int bounds[2] = {m_t.lowest, m_t.highest};
    QComboBox* boxes[2] = {c.ketamin, c.ketamax};
    for (int i = 0; i < 2; ++i) {
        const QString text = boxes[i]->currentText();
        const std::optional<double> value = toNumber(text);
        if (!value || *value < 0 || *value > kMaxBound) {
            if (value) {
                m_ctx.platform.showMessage(&m_ctx.window,
                    QStringLiteral("0～1000000の範囲以外は指定できません。"),
                    MessageIcon::Information, MessageButtons::Ok);
            } else {
                m_ctx.platform.showMessage(&m_ctx.window,
                    errorText(AppError::withText(
                        ErrorNumber::ApplicationDefined, QStringLiteral("数値が不正です｡"))),
                    MessageIcon::Error, MessageButtons::Ok);
            }
            return;
        }
        bounds[i] = int(wholePart(*value));
    }
    // Reversed bounds would draw nothing but the lower one.
    if (bounds[0] > bounds[1]) {
        m_ctx.platform.showMessage(
            &m_ctx.window, kReversedBoundsMessage, MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    m_t.lowest = bounds[0];
    m_t.highest = bounds[1];
    ComposeScoreText();
}

void TestEngine::inputModeChanged(bool typed)
{
    if (!running())
        return;
    m_ctx.state.nyuuryokumode = typed ? 1 : 0;
    layoutInputMode();
}

void TestEngine::stopCountdown()
{
    if (m_ctx.controls.iroch->isChecked() && m_hooks.stopTimerBar)
        m_hooks.stopTimerBar();
}

void TestEngine::ApplyTestGuidance()
{
    MainControls& c = m_ctx.controls;
    const bool typed = m_ctx.state.nyuuryokumode == 1;
    c.syudouskip->setToolTip(QStringLiteral("問題をスキップ ※Shift+Enter"));
    if (kind() == TestKind::Manual) {
        if (typed) {
            c.testSIZIlabel->setText(QStringLiteral("入力してね"));
            c.testKEKKAlabel[1]->setText(QStringLiteral("答Tab  次Enter"));
            c.syudouKAKUNIN->setToolTip(QStringLiteral("答えの確認"));
            c.syudouskip->setToolTip(QStringLiteral("問題をスキップ ※Enter"));
            c.cuttext->setToolTip(QStringLiteral("Tab、Enterを使うと不正解にカウント"));
        } else {
            c.testSIZIlabel->setText(QStringLiteral("CHECKして○×を押してね"));
            c.testKEKKAlabel[1]->setText(
                QStringLiteral("CHECK,○はEnter  ×,レはBS  答Tab  次Shift+Enter"));
            c.syudouKAKUNIN->setToolTip(QStringLiteral("答えの確認 ※Enter"));
            c.syudouMARU->setToolTip(QStringLiteral("※Enter"));
            c.syudouBATU->setToolTip(QStringLiteral("※BackSpace"));
        }
        return;
    }
    if (typed) {
        c.testSIZIlabel->setText(QStringLiteral("入力してね"));
        c.testKEKKAlabel[1]->setText(QStringLiteral("止Enter  答Tab  次Shift+Enter"));
        c.zidouMARU->setToolTip(QStringLiteral("リストに追加"));
        c.testTEISIbtn->setToolTip(QStringLiteral("一時停止 ※Enter"));
        c.testSAIKAIbtn->setToolTip(QStringLiteral("再開 ※Enter"));
        c.cuttext->setToolTip(QStringLiteral("Tabを使うと不正解にカウント"));
    } else {
        c.testSIZIlabel->setText(QStringLiteral("予想してね"));
        c.testKEKKAlabel[1]->setText(QStringLiteral("○Enter  レBS  止Del  答Tab  次Shift+Enter"));
        c.zidouMARU->setToolTip(QStringLiteral("リストに追加 ※Enter"));
        c.testTEISIbtn->setToolTip(QStringLiteral("一時停止 ※Delete"));
        c.testSAIKAIbtn->setToolTip(QStringLiteral("再開 ※Delete"));
    }
}

void TestEngine::layoutInputMode()
{
    MainControls& c = m_ctx.controls;
    const bool typed = m_ctx.state.nyuuryokumode == 1;
    {
        const QSignalBlocker blocker(c.typec);
        c.typec->setChecked(typed);
    }
    ApplyTestGuidance();
    const TestKind k = kind();
    const bool manual = k == TestKind::Manual;
    const bool automatic = k == TestKind::Automatic;
    const bool number = k == TestKind::Number;
    for (QWidget* w : std::initializer_list<QWidget*> {c.syudouKAKUNIN, c.syudouMARU, c.syudouBATU})
        w->setVisible(manual);
    for (QWidget* w : std::initializer_list<QWidget*> {c.tsec, c.tsecbtn})
        w->setVisible(!manual);
    c.zidouMARU->setVisible(!manual);
    c.testTEISIbtn->setVisible(!manual);
    c.testSAIKAIbtn->setVisible(!manual);
    for (QWidget* w : std::initializer_list<QWidget*> {c.ketamin, c.ketamax, c.ketabotan})
        w->setVisible(number);
    c.kikitori->setVisible(!number);
    c.rev->setVisible(automatic || manual);
    for (QWidget* w : std::initializer_list<QWidget*> {c.syudouskip, c.syuuryoubtn, c.testSIZIlabel,
             c.testkekkakesi, c.testFrame, c.Pickframe})
        w->show();
    c.testkekka->hide();
    c.TestListbtn->hide();
    for (QLabel* l : c.testKEKKAlabel)
        l->show();
    c.nPickzencheck->hide();
    c.nPickzencheckhazusi->hide();
    setGetButtonsShown(false);
    c.typeRow->setVisible(typed);
    c.cuttext->setEnabled(typed && m_study.itemCurrent() && !m_study.session().alreadyAccepted);
    if (m_hooks.relayout)
        m_hooks.relayout();
}

void TestEngine::setGetButtonsShown(bool shown)
{
    // The GET panel's own commands (remove, save, the GET test) would act on a test's
    // judgements as if they were the user's list.
    MainControls& c = m_ctx.controls;
    for (QWidget* w :
        std::initializer_list<QWidget*> {c.listmodosi, c.listhozon, c.Picktest, c.pickend})
        w->setVisible(shown && w != c.pickend);
}

void TestEngine::disableMainControls()
{
    MainControls& c = m_ctx.controls;
    for (QWidget* w : std::initializer_list<QWidget*> {c.dakecom, c.DBbtn, c.Startbtn, c.TESTbtn,
             c.Fteisibtn, c.Fsaikaibtn, c.Openbtn, c.sakuseibtn, c.Douzich, c.Rndop[0], c.Rndop[1],
             c.Seccom, c.nyseccom})
        w->setEnabled(false);
    for (const char* name : kLockedMenus) {
        if (QAction* a = menuEntry(QString::fromLatin1(name)))
            a->setEnabled(false);
    }
    for (const char* name : {"mdsokudo", "mdkaitouhyouzi", "mdsyuuryou"})
        menuEntry(QString::fromLatin1(name))->setEnabled(true);
    menuEntry(QStringLiteral("mdteisi"))->setEnabled(kind() != TestKind::Manual);
}

void TestEngine::enableMainControls()
{
    MainControls& c = m_ctx.controls;
    for (QWidget* w : std::initializer_list<QWidget*> {c.dakecom, c.DBbtn, c.Startbtn, c.TESTbtn,
             c.Fteisibtn, c.Fsaikaibtn, c.Openbtn, c.sakuseibtn, c.Douzich, c.Rndop[0], c.Rndop[1],
             c.Seccom, c.nyseccom})
        w->setEnabled(true);
    const bool stickOn = menuEntry(QStringLiteral("mdbou"))->isChecked();
    for (const char* name : kLockedMenus) {
        const QString n = QString::fromLatin1(name);
        if (n == QLatin1String("mdmae") && stickOn)
            continue;
        if (QAction* a = menuEntry(n))
            a->setEnabled(true);
    }
    m_study.setPausedControls(m_study.paused());
}

QAction* TestEngine::menuEntry(const QString& name) const
{
    if (QAction* a = m_ctx.menus.action(name))
        return a;
    if (QMenu* m = m_ctx.menus.menu(name))
        return m->menuAction();
    return nullptr;
}

} // namespace keruna
