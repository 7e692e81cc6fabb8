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
#include <numeric>

namespace keruna {

TestEngine::TestEngine(StudyEngine& study, Context context, QString settingsPath, TestHooks hooks)
    : m_ctx(context)
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
    // Study's own item state stays out of the test; it starts clean after it.
    s.itemState = {};
    m_item = {};
    s.n = 0;
    s.tickCount = 0;
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
        m_t.lowest = int(std::clamp(wholePart(toNumber(c.ketamin->currentText()).value_or(0)), 0.0,
            double(kMaxNumberBound)));
        m_t.highest = int(std::clamp(wholePart(toNumber(c.ketamax->currentText()).value_or(1000)),
            0.0, double(kMaxNumberBound)));
        restartActiveTimer(1);
    } else {
        m_t.order = rangeList(m_ctx.set, m_t.range);
        m_t.orderLines = rangeLines(m_ctx.set, m_t.range);
        if (m_t.randomOrder) {
            // The records and their lines in one order.
            QList<int> at(m_t.order.size());
            std::iota(at.begin(), at.end(), 0);
            shuffle(at, m_ctx.random);
            QStringList order;
            QList<int> lines;
            order.reserve(at.size());
            lines.reserve(at.size());
            for (const int i : at) {
                order.append(m_t.order[i]);
                lines.append(m_t.orderLines[i]);
            }
            m_t.order = std::move(order);
            m_t.orderLines = std::move(lines);
        }
        if (kind() == TestKind::Manual) {
            c.syudouKAKUNIN->setEnabled(true);
            c.syudouskip->setEnabled(true);
            c.syudouMARU->setEnabled(false);
            c.syudouBATU->setEnabled(false);
            startItem();
            if (m_hooks.eraseHandwriting)
                m_hooks.eraseHandwriting();
            askManualItem();
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
    showCardText(m_ctx.controls.Label1, question);
    showCardText(m_ctx.controls.Label2, {});
    m_study.showStick(question);
    if (m_hooks.applyFontLayout)
        m_hooks.applyFontLayout();
}

void TestEngine::showTestAnswer(bool accepted)
{
    StudySession& s = m_study.session();
    if (kind() == TestKind::Number) {
        const QString text = s.currentLine;
        showCardText(m_ctx.controls.Label1, text);
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

void TestEngine::startItem()
{
    // Nothing of the previous item carries over: its state, and the pauses in it.
    m_item = freshItem();
    m_study.session().pausedElapsed = 0;
    m_study.EnableItemButtons();
}

bool TestEngine::finishItem()
{
    // An item nobody took is recorded wrong when its time is up.
    const TestItemStep step = move(TestItemEvent::AnswerTimeUp);
    if (step.record)
        RecordJudgement(*step.record);
    return running();
}

void TestEngine::beginQuestionPhase(EngineTimer& timer, bool speak)
{
    // The phase is timed from the end of speech.
    if (speak && m_hooks.speakItem) {
        m_hooks.speakItem();
        timer.countFromNow();
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
    if (step == StudyPhase::AwaitAnswer) {
        move(TestItemEvent::QuestionTimeUp);
        showAutomaticAnswer();
    } else {
        showNextAutomaticItem();
    }
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
    if (!finishItem())
        return;
    if (s.n >= s.N) {
        enableMainControls();
        EndTest();
        return;
    }
    startItem();
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
        move(TestItemEvent::QuestionTimeUp);
        if (m_hooks.stopTimerBar)
            m_hooks.stopTimerBar();
        showCardText(c.Label1, s.currentLine);
        m_study.showStick(s.currentLine);
        m_study.SetAnswerInterval(*m_numberTimer);
        if (!s.perSecondMode)
            s.phase = StudyPhase::AwaitItem;
        return;
    }
    if (m_hooks.eraseHandwriting)
        m_hooks.eraseHandwriting();
    if (!finishItem())
        return;
    // The number test runs until it is ended: its item number stays at 1.
    s.n = 1;
    startItem();
    m_study.showStick(QString());
    showCardText(c.Label1, {});
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
    showCardText(c.testKEKKAlabel[2], {});
    c.iroch->setChecked(false);
    c.iroch->hide();

    SettingsStore::WriteValue(QString::number(st.nyuuryokumode), QStringLiteral("NYUURYOKU"),
        Section::Test, m_settingsPath);
    st.nyuuryokumode = 0;
    {
        const QSignalBlocker blocker(c.cuttext);
        c.cuttext->clear();
    }
    c.cuttext->setToolTip(tr("Enter：一時停止 Tab：答え"));
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
    s.itemState = {};
    m_item = {};

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
    showCardText(c.testSIZIlabel, tr("お疲れ様、テスト終了です。STARTで再開できるよ。"));
    if (!st.typedSpeedMode)
        m_study.speedBoxChosen(c.Seccom->currentIndex());
    const QString stored
        = SettingsStore::ReadValue(QStringLiteral("SOKUDO"), Section::Test, m_settingsPath);
    if (isValidTypedSpeed(stored))
        c.tsec->setEditText(stored);
    if (m_hooks.relayout)
        m_hooks.relayout();
    if (m_hooks.ended)
        m_hooks.ended();
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
    showCardText(c.testKEKKAlabel[2], {});
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

} // namespace keruna
