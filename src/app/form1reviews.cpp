// Form1: the review schedule of the loaded list, for 【復】, the history window's forecast
// and the database screen's tool tips.
#include "app/form1.h"

#include "problemdata/problemcontroller.h"
#include "study/studyengine.h"

#include "common/background.h"
#include "common/clock.h"
#include "history/historywindow.h"
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
    if (m_reviewCache.list == list && logSize >= m_reviewCache.end
        && logSize - m_reviewCache.end <= kReadHere && !m_reviewWatcher) {
        qint64 end = 0;
        const ReviewRead read = m_reviews->readFrom(m_reviewCache.end, list, &end);
        addReviews(m_reviewCache.states, read.records);
        m_reviewCache.marksStale = m_reviewCache.marksStale || !read.records.isEmpty();
        for (const ReviewRecord& r : read.records)
            m_reviewCache.days.insert(r.item, fsrsDueDay(m_reviewCache.states.value(r.item)));
        m_reviewCache.damaged += read.damaged;
        m_reviewCache.end = end;
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
    runInBackground(m_reviewWatcher, [path = m_reviews->path(), list] {
        ReviewCache made;
        made.list = list;
        const ReviewRead read = ReviewLog(path).readFrom(0, list, &made.end);
        made.states = scheduleReviews(read.records);
        made.days.reserve(made.states.size());
        for (auto it = made.states.cbegin(); it != made.states.cend(); ++it)
            made.days.insert(it.key(), fsrsDueDay(*it));
        made.damaged = read.damaged;
        return made;
    });
}

void Form1::applyReviewCache(ProblemSet& set)
{
    const int64_t today = reviewDay(m_ctx.clock.now().date());
    m_reviewDamaged = m_reviewCache.damaged;
    set.reviewDays = m_reviewCache.days; // shared, not copied
    ReviewCache& c = m_reviewCache;
    if (!c.marksStale && c.markedDay == today && set.allList == c.markedRecords) {
        set.dueList = c.dueList;
        set.dueLines = c.dueLines;
    } else {
        set.markDue([&](const QString& item) {
            const auto it = set.reviewDays.constFind(item);
            return it != set.reviewDays.constEnd() && *it <= today;
        });
        c.marksStale = false;
        c.markedRecords = set.allList;
        c.markedDay = today;
        c.dueList = set.dueList;
        c.dueLines = set.dueLines;
    }
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
