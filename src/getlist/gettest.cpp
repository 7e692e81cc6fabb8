#include "getlist/gettest.h"

#include "common/clock.h"
#include "common/random.h"
#include "getlist/getlist.h"
#include "problemdata/problemset.h"
#include "problemdata/range.h"
#include "study/studyengine.h"

#include <QCoreApplication>

#include <algorithm>

namespace keruna {

GetTest::GetTest(StudyEngine& study, GetList& list, GetTestView& view)
    : m_study(study)
    , m_list(list)
    , m_view(view)
{
}

bool GetTest::running() const
{
    return m_study.session().getTestRunning;
}

bool GetTest::hasFile() const
{
    return !m_study.context().set.path.isEmpty();
}

void GetTest::start()
{
    const StudyEngine::Context& ctx = m_study.context();
    if (!hasFile() || running() || m_view.testActive())
        return;
    StudySession& s = m_study.session();
    s.n = 0;
    s.phase = StudyPhase::AwaitItem;
    s.currentLine.clear();
    s.item = ItemText {};
    m_study.DisableItemButtons();
    m_view.showCard(QStringLiteral("Ready?"), {});

    m_savedRandom = m_view.randomOrder();
    m_orderSaved = true;
    const RangeFilter range = ctx.range.current.value_or(RangeFilter::NotYet);
    QStringList order = rangeList(ctx.set, range);
    shuffle(order, ctx.random);
    s.getTestOrder = std::move(order);
    s.N = int(s.getTestOrder.size());

    s.getTestRunning = true;
    m_view.showGetTestRunning(true);
    m_view.setOrder(true);
    setLocked(true);
    m_view.mirrorOnExternalScreen();
    m_view.focusGetList();
}

void GetTest::end()
{
    if (!hasFile())
        return;
    StudySession& s = m_study.session();
    const bool result = !m_list.isEmpty() || s.n > 0;
    m_view.showGetTestResult(
        result ? std::optional(getTestResultText(m_list.count(), s.N)) : std::nullopt);
    if (result)
        m_view.getTestEnded(m_list.count(), s.N, s.n);
    m_view.hideGetTestPicture();

    // The presentation stops; Start begins study again from the first item.
    m_study.timer().setEnabled(false);
    m_study.setPausedControls(false);
    s.phase = StudyPhase::AwaitItem;
    s.currentLine.clear();
    s.item = ItemText {};
    m_view.showCard({}, {});

    ResetGetTestControls();
    s.getTestRunning = false;
    s.getTestOrder.clear();
    m_view.mirrorOnExternalScreen();
    m_view.reloadKeepingList();
}

void GetTest::ResetGetTestControls()
{
    // Only an order the GET test itself changed is put back.
    if (m_orderSaved) {
        m_view.setOrder(m_savedRandom);
        m_orderSaved = false;
    }
    setLocked(false);
    m_view.showGetTestRunning(false);
    m_view.mirrorOnExternalScreen();
}

void GetTest::resetDisplay()
{
    if (!running())
        return;
    StudySession& s = m_study.session();
    s.getTestRunning = false;
    s.getTestOrder.clear();
    m_view.hideGetTestPicture();
    m_view.clearGetTestResult();
    ResetGetTestControls();
}

void GetTest::setLocked(bool locked)
{
    // A running test keeps its own locks on these.
    if (!m_view.testActive())
        m_view.lockOrderAndRange(locked);
}

GetTestScore getTestScore(int got, int total)
{
    // Items in the GET list from before the test count as got too; the figures stay within
    // the range.
    const int shown = std::min(got, std::max(total, 0));
    const int rate = total > 0 ? int(qint64(shown) * 100 / total) : 0;
    return {shown, total - shown, rate};
}

QString getTestResultText(int got, int total)
{
    const GetTestScore score = getTestScore(got, total);
    return QCoreApplication::translate("GetTest", "○%1\u3000×%2\u3000正解率%3％")
        .arg(score.correct)
        .arg(score.wrong)
        .arg(score.rate);
}

} // namespace keruna
