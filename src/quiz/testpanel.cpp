// The test's panel: its score, its speed and number boxes, its input mode, and the main
// controls a test locks.
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

namespace keruna {

void TestEngine::ComposeScoreText()
{
    if (!m_ctx.state.testResultsHeld)
        return;
    const int correct = m_t.correctCount;
    const int wrong = m_t.wrongCount;
    m_view.showScore(scoreText(correct, wrong),
        progressText(
            {kind(), correct + wrong, m_t.itemTotal, secondsPerItem(), m_t.lowest, m_t.highest}));
    if (!running() && kind() != TestKind::Number)
        m_view.showResultScore(m_t.resultTitle, correct, wrong, correctRate(correct, wrong));
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
    const auto [checked, unchecked] = m_view.judgedCounts(afterTest);
    m_t.correctCount = checked;
    m_t.wrongCount = unchecked;
}

void TestEngine::getListClicked()
{
    if (!running() || m_view.testListEmpty())
        return;
    RecountFromChecks(false);
    ComposeScoreText();
}

void TestEngine::applySecondsBox()
{
    const QString text = m_view.testSeconds();
    Result<TypedSpeed> speed = parseTypedSpeed(text);
    if (!speed) {
        m_card.tell(typedSpeedMessage(speed.error()),
            isNumeric(text) ? MessageIcon::Information : MessageIcon::Error);
        return;
    }
    m_study.applyTypedSpeed(speed.value());
    // The test's speed is its own box's: no speed menu entry stands for it.
    m_card.showSpeedInMenu(-1);
    ComposeScoreText();
}

void TestEngine::applyNumberBounds()
{
    int bounds[2] = {m_t.lowest, m_t.highest};
    const QString texts[2] = {m_view.lowestBound(), m_view.highestBound()};
    for (int i = 0; i < 2; ++i) {
        const std::optional<double> value = toNumber(texts[i]);
        if (!value || *value < 0 || *value > kMaxNumberBound) {
            if (value) {
                m_card.tell(boundRangeMessage(), MessageIcon::Information);
            } else {
                m_card.tell(errorText(AppError::withText(
                                ErrorNumber::ApplicationDefined, tr("数値が不正です｡"))),
                    MessageIcon::Error);
            }
            return;
        }
        bounds[i] = int(wholePart(*value));
    }
    // Reversed bounds would draw nothing but the lower one.
    if (bounds[0] > bounds[1]) {
        m_card.tell(reversedBoundsMessage(), MessageIcon::Information);
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
    if (m_card.timerBarOn())
        m_card.stopTimerBar();
}

void TestEngine::startTimerBar()
{
    if (m_card.timerBarOn() && !m_card.paused())
        m_card.startTimerBar();
}

void TestEngine::layoutInputMode()
{
    const bool typed = m_ctx.state.nyuuryokumode == 1;
    m_view.layoutTestInputs(kind(), typed, typed && m_study.itemCurrent() && !taken());
}

void TestEngine::lockForTest()
{
    m_view.lockStudyControls(kind() == TestKind::Manual);
}

void TestEngine::unlockAfterTest()
{
    m_view.unlockStudyControls();
    m_study.setPausedControls(m_study.paused());
}

} // namespace keruna
