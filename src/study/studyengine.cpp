#include "study/studyengine.h"

#include "study/typedspeed.h"

#include "common/clock.h"
#include "common/numbers.h"
#include "common/random.h"
#include "common/textmatch.h"
#include "mainscreen/mainstate.h"
#include "problemdata/problemrecord.h"
#include "problemdata/problemset.h"
#include "problemdata/range.h"

#include <cmath>
#include <utility>

namespace keruna {

StudyEngine::StudyEngine(Context context, StudyView& view)
    : m_ctx(context)
    , m_view(view)
    , m_timer(context.timers.createTimer())
    , m_current(m_timer.get())
{
    m_timer->setInterval(1);
    m_timer->setOnTimeout([this] { StudyTick(); });
    m_answerClear = context.timers.createTimer();
    m_answerClear->setOnTimeout([this] {
        if (m_view.timeLag())
            m_view.showQuestion({});
        m_view.showAnswer({});
        m_answerClear->setEnabled(false);
    });
}

StudyEngine::~StudyEngine() = default;

bool StudyEngine::hasFile() const
{
    return !m_ctx.set.path.isEmpty();
}

bool StudyEngine::paused() const
{
    return m_view.paused();
}

int StudyEngine::questionShare() const
{
    const bool typing
        = m_view.typingOn() || (m_ctx.state.testmode && m_ctx.state.nyuuryokumode == 1);
    return typing ? m_ctx.state.options.inputShare : m_ctx.state.options.guessShare;
}

void StudyEngine::StartStudy()
{
    if (!hasFile()) {
        m_view.openList();
        if (!hasFile())
            return;
    }
    if (!m_view.mayReleaseResults())
        return;
    if (!m_s.started) {
        m_view.showGetListOnFirstStart();
        m_s.started = true;
    }
    m_view.enableStudyChoices();
    m_view.restoreStudyState();
    m_view.applyStudyGuidance();

    if (m_ctx.state.typedSpeedMode) {
        const QString text = m_view.typedSpeed();
        Result<TypedSpeed> speed = parseTypedSpeed(text);
        if (!speed) {
            const bool numeric = isNumeric(text);
            m_view.tell(typedSpeedMessage(speed.error()),
                numeric ? MessageIcon::Information : MessageIcon::Error);
            PauseStudy();
            return;
        }
        applyTypedSpeed(speed.value());
        m_view.showSpeedInMenu(-1);
    } else {
        m_s.perSecondMode = false;
    }

    m_current = m_timer.get();
    if (paused()) {
        ResumeStudy();
    } else {
        m_timer->setInterval(1);
        m_timer->setEnabled(true);
        setPausedControls(false);
        m_view.runningChanged(true);
    }
}

void StudyEngine::userCommand(std::function<void()> command)
{
    if (m_holding)
        m_heldCommands.push_back(std::move(command));
    else
        command();
}

void StudyEngine::holdCommandsDuring(const std::function<void()>& work)
{
    const bool outer = !m_holding;
    m_holding = true;
    work();
    if (!outer)
        return;
    m_holding = false;
    // Commands the user gave while a word was spoken run now, as they would have run had
    // the utterance blocked the window: the step must not overwrite what they set. What
    // they time is timed from now, not from when the tick was due.
    if (!m_heldCommands.empty()) {
        m_timer->countFromNow();
        m_current->countFromNow();
    }
    while (!m_heldCommands.empty() && !m_holding) {
        std::function<void()> command = std::move(m_heldCommands.front());
        m_heldCommands.pop_front();
        command();
    }
}

double StudyEngine::phaseIntervalMs() const
{
    // While a tick waits for speech the phase has not begun: it is timed from the end of
    // the utterance.
    if (m_inTick)
        return 0;
    return m_current->interval() * (m_s.perSecondMode ? m_s.tickLimit : 1.0);
}

void StudyEngine::StudyTick()
{
    // Speech waits while the window processes events: a tick that comes due meanwhile
    // is dropped, as a blocked timer's would be.
    if (m_inTick)
        return;
    holdCommandsDuring([this] {
        m_inTick = true;
        runTick();
        m_inTick = false;
    });
}

void StudyEngine::ResetTypingBox()
{
    m_view.resetTypingBox();
}

void StudyEngine::runTick()
{
    if (m_s.phase == StudyPhase::AwaitItem) {
        if (m_s.perSecondMode) {
            CountLongTick();
            SetAnswerInterval(*m_timer);
            if (m_s.tickCount > 0)
                return;
        }
        m_s.phaseStart = m_ctx.clock.secondsSinceMidnight();
        m_view.clearHandwriting();
        EnableItemButtons();
        m_s.answerOnDemand = false;
        m_s.pausedElapsed = 0;
        m_s.itemState = freshStudyItem();
        if (!TakeUpNextItem())
            return;
        m_view.itemShown();

        const bool timeLag = m_view.timeLag();
        const bool simultaneous = m_view.showTogether();
        const bool longText = m_ctx.state.options.longText;
        if (timeLag) {
            m_s.stickText.clear();
        } else {
            m_s.joiner = longText ? QStringLiteral("\r\n\r\n") : QStringLiteral(" ");
            m_s.stickText = simultaneous ? m_s.item.question + m_s.joiner + m_s.item.answer
                                         : m_s.item.question;
        }
        showStick(m_s.stickText);
        if (longText)
            showLabels(m_s.stickText, QString());
        else if (timeLag)
            showLabels(QString(), QString());
        else
            showLabels(m_s.item.question, simultaneous ? m_s.item.answer : QString());
        m_view.applyFontLayout();
        if (m_view.timerBarOn() && !paused())
            m_view.startTimerBar();
        if (speaksIn(StudyPhase::AwaitItem))
            speakThenCount(*m_timer);
        SetQuestionInterval(*m_timer);
        if (!m_s.perSecondMode)
            m_s.phase = StudyPhase::AwaitAnswer;
        return;
    }

    if (m_s.perSecondMode) {
        CountLongTick();
        SetQuestionInterval(*m_timer);
        if (m_s.tickCount > 0)
            return;
    }
    m_s.phaseStart = m_ctx.clock.secondsSinceMidnight();
    ShowAnswer();
    m_view.stopTimerBar();
    if (speaksIn(StudyPhase::AwaitAnswer))
        speakThenCount(*m_timer);
    SetAnswerInterval(*m_timer);
    if (!m_s.perSecondMode)
        m_s.phase = StudyPhase::AwaitItem;
}

void StudyEngine::speakThenCount(EngineTimer& timer)
{
    // The phase after the word is timed from the end of the utterance.
    m_view.speakItem();
    timer.countFromNow();
}

bool StudyEngine::speaksIn(StudyPhase phase) const
{
    // With オート the first column is heard when it appears: with the question unless
    // reversed, with the answer when reversed.
    if (!m_view.speechOn())
        return false;
    const bool reverse = m_view.reversed();
    const bool question = phase == StudyPhase::AwaitItem;
    if (question ? m_view.speaksWithQuestion() : m_view.speaksWithAnswer())
        return true;
    return m_view.speaksTheWord() && reverse != question;
}

void StudyEngine::ShowAnswer()
{
    const QString& q = m_s.item.question;
    const QString& a = m_s.item.answer;
    if (m_ctx.state.options.longText) {
        m_s.joiner = QStringLiteral("\r\n\r\n");
        m_s.stickText = q + m_s.joiner + a;
        showLabels(m_s.stickText, QString());
    } else {
        const bool together = m_s.answerOnDemand || m_view.timeLag() || m_view.showTogether();
        if (together) {
            m_s.joiner = QStringLiteral(" ");
            m_s.stickText = q + m_s.joiner + a;
        } else {
            m_s.stickText = a;
        }
        showLabels(q, a);
    }
    showStick(m_s.stickText);
}

void StudyEngine::showLabels(const QString& first, const QString& second)
{
    m_view.showCard(first, second);
}

void StudyEngine::showStick(const QString& text)
{
    if (m_view.stickShown())
        m_view.showStickText(text);
    if (m_view.minimized())
        m_view.showMinimizedCaption(text);
}

QString StudyEngine::currentRecord() const
{
    if (m_s.n < 1 || (!m_s.getTestRunning && !m_ctx.range.current))
        return {};
    return m_s.getTestRunning ? m_s.getTestOrder.value(m_s.n - 1)
                              : rangeList(m_ctx.set, *m_ctx.range.current).value(m_s.n - 1);
}

QString StudyEngine::rangeEntryText(int n) const
{
    const RangeFilter range = m_ctx.range.current.value_or(RangeFilter::NotYet);
    return itemTextOf(rangeList(m_ctx.set, range).value(n - 1));
}

bool StudyEngine::TakeUpNextItem()
{
    m_s.previousLine = m_s.currentLine;
    if (m_ctx.state.testmode)
        return true;
    if (m_s.getTestRunning)
        return takeUpGetTestItem();
    const RangeFilter range = m_ctx.range.current.value_or(RangeFilter::NotYet);
    m_s.N = rangeCountOf(m_ctx.set, range);
    const int N = m_s.N;
    if (N <= 0) {
        // Nothing to show (a list emptied since it was loaded): stop as when every item
        // is in the GET list, without showing anything again.
        m_s.currentLine = m_s.previousLine;
        m_s.n = 0;
        PauseStudy();
        return false;
    }
    const bool random = m_view.randomOrder();
    const int getCount = m_view.getListCount();

    // Random draws first; should they keep hitting GET items, a walk over every position
    // settles it. The walk also guards ascending order: duplicate lines can make every
    // position rejected although the GET list holds fewer entries than the range.
    // A GET list as long as the range may still leave items free (entries from outside
    // the range, duplicate lines): then only the walk decides.
    const qint64 randomDraws = random && getCount < N ? qint64(N) * 64 + 64 : 0;
    qint64 tries = 0;
    bool walking = !random;
    while (true) {
        if (!walking && tries < randomDraws) {
            m_s.n = std::min(N, int(std::floor(N * m_ctx.random.nextUnit())) + 1);
        } else {
            if (!walking) {
                walking = true;
                m_s.n = int(std::floor(N * m_ctx.random.nextUnit()));
            }
            if (m_s.n >= N)
                m_s.n = 0;
            m_s.n += 1;
        }
        ++tries;

        // The hint under the list is shown once, then hidden.
        if (m_s.getHintShown) {
            m_view.showGetHint(false);
        } else if (m_view.getPanelShown()) {
            m_view.showGetHint(true);
            m_s.getHintShown = true;
        }
        m_view.getPanelChanged();

        m_s.currentLine = rangeEntryText(m_s.n);
        const bool rejected = m_view.inGetList(m_s.currentLine);
        if (!rejected)
            break;
        const bool exhausted = tries >= randomDraws + N;
        if (!exhausted)
            continue;
        // Every item is in the GET list: the previous item stays and the engine pauses.
        m_s.currentLine = m_s.previousLine;
        m_s.n = 0;
        PauseStudy();
        return true;
    }
    return prepareCurrentItem();
}

bool StudyEngine::takeUpGetTestItem()
{
    // The shuffled range once through; items already in the GET list count as got and are
    // passed over. After the last one the GET test ends.
    const int N = int(m_s.getTestOrder.size());
    m_s.N = N;
    while (true) {
        if (m_s.n >= N) {
            m_s.currentLine = m_s.previousLine;
            m_view.endGetTest();
            return false;
        }
        m_s.n += 1;
        // The marker shows with the first item; the label stays until the end.
        m_view.showGetTestMarker(m_s.n == 1);
        m_view.getPanelChanged();
        m_s.currentLine = itemTextOf(m_s.getTestOrder.value(m_s.n - 1));
        if (!m_view.inGetList(m_s.currentLine))
            return prepareCurrentItem();
    }
}

bool StudyEngine::prepareCurrentItem()
{
    const AppliedOptions& o = m_ctx.state.options;
    Result<ItemText> item = PrepareItemText(
        m_s.currentLine, m_s.n, o.delimiter, o.separator, meaningLimit(), m_view.reversed());
    if (!item) {
        reportStepError(item.error());
        return false;
    }
    m_s.item = std::move(item).value();
    m_s.itemReversed = m_view.reversed();
    ItemNumberText();
    return true;
}

MeaningLimit StudyEngine::meaningLimit() const
{
    return m_view.meaningLimit();
}

void StudyEngine::reportStepError(const AppError& error)
{
    const QString text = error.number == ErrorNumber::IndexOutOfRange
        ? delimiterMismatchText(m_ctx.state.options.delimiter)
        : errorText(error);
    m_view.tell(text, MessageIcon::Error);
    PauseStudy();
}

void StudyEngine::ItemNumberText()
{
    if (!hasFile() || m_ctx.state.testmode)
        return;
    const AppliedOptions& o = m_ctx.state.options;
    if (m_view.stickShown()) {
        m_view.showStickCaption(o.numberOnStick ? stickNumberText(m_s.n, m_s.N) : QString());
        return;
    }
    m_s.item.numberText = mainNumberText(m_s.n, m_s.N);
    if (m_view.getPanelShown()) {
        m_view.showGetPanelNumber(o.numberOnInternalGet ? m_s.item.numberText : QString());
        m_view.showNumber({});
    } else if (m_view.focusScreen()) {
        m_view.showNumber(o.numberOnFocus ? m_s.item.numberText : QString());
        m_view.refreshFocusLayout();
    } else {
        m_view.showNumber(o.numberOnMain ? m_s.item.numberText : QString());
    }
}

void StudyEngine::SetQuestionInterval(EngineTimer& timer)
{
    m_s.intervalMs = questionShare() / 10.0 * m_s.timePerItem;
    ApplyInterval(timer);
}

void StudyEngine::SetAnswerInterval(EngineTimer& timer)
{
    m_s.intervalMs = (1 - questionShare() / 10.0) * m_s.timePerItem;
    ApplyInterval(timer);
}

void StudyEngine::ApplyInterval(EngineTimer& timer)
{
    const int getCount = m_view.getListCount();
    if (m_s.n < 1) {
        if (getCount < m_s.N)
            timer.setInterval(1);
        return;
    }
    timer.setInterval(int(std::nearbyint(m_s.intervalMs)));
}

void StudyEngine::applyTypedSpeed(const TypedSpeed& speed)
{
    if (speed.perSecond) {
        m_s.tickLimit = speed.seconds;
        m_s.perSecondMode = true;
    } else {
        m_s.timePerItem = speed.seconds * 1000;
        m_s.perSecondMode = false;
        m_s.tickCount = 0;
    }
}

bool StudyEngine::CountLongTick()
{
    m_s.timePerItem = 1000;
    ++m_s.tickCount;
    if (m_s.tickCount >= m_s.tickLimit || (m_s.n == 0 && m_s.phase == StudyPhase::AwaitItem)) {
        m_s.phase
            = m_s.phase == StudyPhase::AwaitItem ? StudyPhase::AwaitAnswer : StudyPhase::AwaitItem;
        m_s.tickCount = 0;
        return true;
    }
    return false;
}

void StudyEngine::PauseStudy()
{
    if (!m_current->isEnabled() || !hasFile())
        return;
    holdPhase();
    m_view.holdTimerBar();
    setPausedControls(true);
    m_view.runningChanged(false);
}

void StudyEngine::ResumeStudy()
{
    // A manual test has no step timer to resume.
    if (!hasFile() || (m_ctx.state.testmode && m_ctx.state.testKind == TestKind::Manual))
        return;
    if (m_view.timerBarOn() && m_s.phase == StudyPhase::AwaitAnswer)
        m_view.resumeTimerBar();
    continuePhase();
    setPausedControls(false);
    m_view.runningChanged(true);
}

void StudyEngine::holdPhase()
{
    m_current->setEnabled(false);
    m_s.pausedElapsed += m_ctx.clock.secondsSinceMidnight() - m_s.phaseStart;
    const double full = m_current->interval() * (m_s.perSecondMode ? m_s.tickLimit : 1.0);
    m_s.remainingMs = full - m_s.pausedElapsed * 1000;
}

void StudyEngine::continuePhase()
{
    m_s.phaseStart = m_ctx.clock.secondsSinceMidnight();
    const double interval = m_current->interval();
    if (!m_s.perSecondMode) {
        if (m_s.remainingMs > 0 && m_s.remainingMs < interval)
            m_current->setInterval(int(std::nearbyint(m_s.remainingMs)));
    } else if (m_s.remainingMs > 0 && m_s.remainingMs < interval * m_s.tickLimit && interval > 0) {
        // The part of the remaining time beyond whole ticks; the tick count is kept.
        m_current->setInterval(int(std::nearbyint(std::fmod(m_s.remainingMs, interval))));
    }
    m_s.pausedElapsed = 0;
    m_current->setEnabled(true);
}

void StudyEngine::repeatSpeech(const std::function<void()>& speak)
{
    holdCommandsDuring([&] {
        suspendForSpeech();
        speak();
        resumeAfterSpeech();
    });
}

void StudyEngine::suspendForSpeech()
{
    m_suspended = nullptr;
    if (paused() || !m_current->isEnabled())
        return;
    holdPhase();
    m_suspended = m_current;
}

void StudyEngine::resumeAfterSpeech()
{
    // A test ended while the word was said hands the timer back to study: nothing of the
    // test's phase goes on, and study does not start by itself.
    EngineTimer* suspended = std::exchange(m_suspended, nullptr);
    if (!suspended || suspended != m_current || paused())
        return;
    continuePhase();
}

void StudyEngine::togglePause()
{
    if (paused())
        ResumeStudy();
    else
        PauseStudy();
}

void StudyEngine::setPausedControls(bool isPaused)
{
    m_view.showPaused(isPaused);
}

void StudyEngine::SelectSpeed(int index)
{
    const QStringList& seconds = speedChoices();
    if (index < 0 || index >= seconds.size())
        return;
    if (m_ctx.state.testmode) {
        if (testSpeedChosen)
            testSpeedChosen(seconds[index]);
        return;
    }
    m_s.timePerItem = seconds[index].toDouble() * 1000;
    m_view.showSpeedInBox(index);
    m_view.showSpeedInMenu(index);
    if (m_ctx.state.typedSpeedMode) {
        m_view.showTypedSpeed(seconds[index]);
        StartStudy();
    }
}

void StudyEngine::speedBoxChosen(int index)
{
    const std::optional<double> seconds = toNumber(m_view.speedChoice(index));
    if (!seconds)
        return;
    m_s.timePerItem = *seconds * 1000;
    m_view.showSpeedInMenu(index);
}

} // namespace keruna
