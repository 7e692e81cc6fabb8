#include "quiz/testengine.h"

#include "common/clock.h"
#include "common/numbers.h"
#include "common/random.h"
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
#include <numeric>

namespace keruna {

TestEngine::TestEngine(StudyEngine& study, TestView& view, QString settingsPath)
    : m_ctx(study.context())
    , m_study(study)
    , m_card(study.view())
    , m_view(view)
    , m_settingsPath(std::move(settingsPath))
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
    MainState& st = m_ctx.state;
    m_t.savedRandom = m_card.randomOrder();
    m_t.savedReverse = m_card.reversed();
    m_t.savedSpeech = m_card.speechOn();
    st.testKind = choice.kind;
    st.nyuuryokumode = choice.typedInput ? 1 : 0;
    m_view.showTestChoice(choice);
    m_t.randomOrder = choice.random;
}

void TestEngine::begin()
{
    MainState& st = m_ctx.state;
    StudySession& s = m_study.session();
    lockForTest();

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
    m_t.listening = m_view.listeningChosen();
    m_active = kind() == TestKind::Number ? m_numberTimer.get() : m_timer6.get();
    m_study.setCurrentTimer(*m_active);
    st.testmode = true;

    layoutInputMode();

    st.testResultsHeld = true;
    m_study.setPausedControls(false);
    s.currentLine.clear();
    s.item = ItemText {};
    s.stickText.clear();
    m_view.clearCardAndNumbers();

    m_card.applyFontLayout();
    applySecondsBox();
    st.saveRequest.clear();
    if (m_ctx.range.current)
        st.saveRequest.TestStartRange[size_t(*m_ctx.range.current)] = true;
    SetResultTitle();

    if (kind() == TestKind::Number) {
        m_view.alignCardForNumbers(true);
        // Bounds that are not numbers fall back to the first list's defaults.
        QString lowest = m_view.lowestBound();
        QString highest = m_view.highestBound();
        if (!isNumeric(lowest))
            lowest = QStringLiteral("0");
        if (!isNumeric(highest))
            highest = QStringLiteral("1000");
        m_view.showNumberBounds(lowest, highest);
        m_t.lowest = int(
            std::clamp(wholePart(toNumber(lowest).value_or(0)), 0.0, double(kMaxNumberBound)));
        m_t.highest = int(
            std::clamp(wholePart(toNumber(highest).value_or(1000)), 0.0, double(kMaxNumberBound)));
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
            m_view.enableManualButtons(true, false);
            m_view.enableManualSkip(true);
            startItem();
            m_card.clearHandwriting();
            askManualItem();
        } else {
            restartActiveTimer(1);
        }
    }
    ComposeScoreText();
    if (st.nyuuryokumode == 1 && m_view.typingBoxShown())
        m_view.focusTypingBox();
    else
        m_view.focusGetList();
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
    const bool reverse = m_view.testReversed();
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
    const bool hidden = m_t.listening || m_card.timeLag();
    const QString question = hidden ? QString() : s.item.question;
    s.stickText = question;
    s.answerOnDemand = false;
    m_card.showCard(question, {});
    m_study.showStick(question);
    m_card.applyFontLayout();
}

void TestEngine::showTestAnswer(bool accepted)
{
    StudySession& s = m_study.session();
    if (kind() == TestKind::Number) {
        const QString text = s.currentLine;
        m_card.showQuestion(text);
        m_study.showStick(text);
        return;
    }
    // After an item was taken, the strip shows question and answer together when typed
    // text is echoed there; otherwise the answer shows as in its own phase.
    s.answerOnDemand = accepted && m_ctx.state.options.showTypedText && m_card.stickShown();
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
    if (speak) {
        m_card.speakItem();
        timer.countFromNow();
        if (!running())
            return;
    }
    m_study.SetQuestionInterval(timer);
    startTimerBar();
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
    m_card.stopTimerBar();
    showTestAnswer(false);
    m_study.SetAnswerInterval(*m_timer6);
    if (!s.perSecondMode)
        s.phase = StudyPhase::AwaitItem;
}

void TestEngine::showNextAutomaticItem()
{
    StudySession& s = m_study.session();
    s.phaseStart = m_ctx.clock.secondsSinceMidnight();
    m_card.clearHandwriting();
    if (!finishItem())
        return;
    if (s.n >= s.N) {
        unlockAfterTest();
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
    const StudyPhase step = s.phase;
    if (!countLongTick(*m_numberTimer, step))
        return;
    s.phaseStart = m_ctx.clock.secondsSinceMidnight();
    if (step == StudyPhase::AwaitAnswer) {
        move(TestItemEvent::QuestionTimeUp);
        m_card.stopTimerBar();
        m_card.showQuestion(s.currentLine);
        m_study.showStick(s.currentLine);
        m_study.SetAnswerInterval(*m_numberTimer);
        if (!s.perSecondMode)
            s.phase = StudyPhase::AwaitItem;
        return;
    }
    m_card.clearHandwriting();
    if (!finishItem())
        return;
    // The number test runs until it is ended: its item number stays at 1.
    s.n = 1;
    startItem();
    m_study.showStick(QString());
    m_card.showQuestion({});
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
    unlockAfterTest();
    EndTest();
}

void TestEngine::EndTest()
{
    MainState& st = m_ctx.state;
    StudySession& s = m_study.session();
    s.phase = StudyPhase::AwaitItem;
    st.testmode = false;
    for (EngineTimer* t : {m_timer6.get(), m_numberTimer.get(), m_answerClear.get()})
        t->setEnabled(false);
    m_card.stopTimerBar();
    m_study.setCurrentTimer(m_study.timer());

    m_view.restoreStudyChoices(m_t.savedRandom, m_t.savedReverse, m_t.savedSpeech);
    m_view.takeDownTestPanel();

    SettingsStore::WriteValue(QString::number(st.nyuuryokumode), QStringLiteral("NYUURYOKU"),
        Section::Test, m_settingsPath);
    st.nyuuryokumode = 0;
    m_card.clearTypingBox();
    m_view.alignCardForNumbers(false);
    m_view.clearCardAndNumbers();
    s.currentLine.clear();
    s.previousLine.clear();
    s.item = ItemText {};
    s.stickText.clear();
    s.n = 0;
    m_t.number.reset();
    m_study.setPausedControls(false);
    s.itemState = {};
    m_item = {};

    if (!m_quietEnd)
        m_view.reloadProblemData();
    ComposeScoreText();
    if (kind() != TestKind::Number && !m_view.testListEmpty()) {
        m_view.showResultsButton();
        if (!m_quietEnd)
            m_view.showResults();
    }
    m_view.showTestEnded();
    if (!st.typedSpeedMode)
        m_study.speedBoxChosen(m_view.studySpeedIndex());
    const QString stored
        = SettingsStore::ReadValue(QStringLiteral("SOKUDO"), Section::Test, m_settingsPath);
    if (isValidTypedSpeed(stored))
        m_view.showTestSeconds(stored);
    m_view.relayout();
    m_view.testEnded();
}

void TestEngine::takeDownTestDisplay()
{
    if (running()) {
        // Nothing of a test cut short is kept: the new list replaces it.
        m_quietEnd = true;
        unlockAfterTest();
        EndTest();
        m_quietEnd = false;
    }
    if (!m_ctx.state.testResultsHeld)
        return;
    m_view.clearTestList();
    m_view.hideTestResults();
    m_view.closeDatabaseScreen();
    m_ctx.state.testResultsHeld = false;
    m_view.showGetListCommands(true);
    m_view.relayout();
}

void TestEngine::fail(const AppError& error)
{
    const QString text = error.number == ErrorNumber::IndexOutOfRange
        ? delimiterMismatchText(m_ctx.state.options.delimiter)
        : errorText(error);
    m_card.tell(text, MessageIcon::Error);
    if (!running())
        return;
    unlockAfterTest();
    EndTest();
}

} // namespace keruna
