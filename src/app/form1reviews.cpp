// Form1: the review schedule of the loaded list, for 【復】, the history window's forecast
// and the database screen's tool tips.
#include "app/form1.h"

#include "problemdata/problemcontroller.h"
#include "study/studyengine.h"

#include "common/background.h"
#include "common/clock.h"
#include "history/historywindow.h"
#include "review/reviewcache.h"
#include "review/reviewlog.h"
#include "review/reviewschedule.h"

#include <QComboBox>
#include <QFileInfo>

namespace keruna {

void Form1::scheduleReviewsOf(ProblemSet& set)
{
    if (!m_reviews)
        return;
    const QString list = QFileInfo(set.path).absoluteFilePath();
    const qint64 logSize = QFileInfo(m_reviews->path()).size();
    // What was appended since by this program's tests is a few lines, read here; much more
    // (another program's work) is read afresh in the background like a first load.
    constexpr qint64 kReadHere = 1 << 20;
    if (!m_reviewWatcher && m_reviewCache.goesOnTo(list, logSize, kReadHere)) {
        m_reviewCache.readOn(*m_reviews);
        applyReviewCache(set);
        return;
    }
    // A list not scheduled yet: nothing is due until its schedule is in, and 【復】 says
    // so by its "…" rather than by a count that may be wrong.
    set.reviewDays.clear();
    set.markDue([](const QString&) { return false; });
    m_c.dakecom->setItemText(int(RangeFilter::Review), rangeLabel(RangeFilter::Review) + u'…');
    delete m_reviewWatcher;
    m_reviewChosenEarly = false; // that was for another list
    m_reviewWatcher = new QFutureWatcher<ReviewCache>(this);
    connect(m_reviewWatcher, &QFutureWatcher<ReviewCache>::finished, this,
        [this] { takeReviewSchedule(); });
    runInBackground(m_reviewWatcher,
        [path = m_reviews->path(), list] { return ReviewCache::read(path, list); });
}

void Form1::applyReviewCache(ProblemSet& set)
{
    m_reviewDamaged = m_reviewCache.damaged;
    m_reviewCache.markDue(set, m_ctx.clock.now().date());
    m_c.dakecom->setItemText(int(RangeFilter::Review),
        rangeLabel(RangeFilter::Review) + QString::number(set.dueList.size()));
    showReviewDaysInDatabase(set.reviewDays);
    if (m_historyWindow && m_historyWindow->isVisible())
        updateReviewForecast(set.path);
}

void Form1::awaitReviewSchedule()
{
    if (!m_reviewWatcher)
        return;
    m_reviewWatcher->waitForFinished();
    // Its finished signal is queued: the result is taken now, as the signal would.
    takeReviewSchedule();
}

void Form1::takeReviewSchedule()
{
    QFutureWatcher<ReviewCache>* done = std::exchange(m_reviewWatcher, nullptr);
    done->disconnect(this);
    done->deleteLater();
    const ReviewCache made = done->result();
    // Another list was loaded meanwhile: its own schedule is on its way.
    if (made.list != QFileInfo(m_set.path).absoluteFilePath())
        return;
    m_reviewCache = made;
    applyReviewCache(m_set);
    if (m_range.current)
        m_range.rangeCount = rangeCountOf(m_set, *m_range.current);
    // 【復】 chosen meanwhile is taken now, unless a test has since closed the choice.
    if (std::exchange(m_reviewChosenEarly, false) && m_c.dakecom->isEnabled())
        chooseRange(RangeFilter::Review);
}

void Form1::chooseRange(RangeFilter range)
{
    m_reviewChosenEarly = range == RangeFilter::Review && m_reviewWatcher;
    if (m_reviewChosenEarly) {
        m_problems->showRangeInForce();
        return;
    }
    m_study->userCommand([this, range] { m_problems->rangeChosen(range); });
}

} // namespace keruna
