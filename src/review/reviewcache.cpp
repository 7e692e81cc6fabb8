#include "review/reviewcache.h"

#include "problemdata/problemset.h"
#include "review/reviewlog.h"
#include "review/reviewschedule.h"

namespace keruna {

ReviewCache ReviewCache::read(const QString& logPath, const QString& list)
{
    ReviewCache made;
    made.list = list;
    const ReviewRead read = ReviewLog(logPath).readFrom(0, list, &made.end);
    made.states = scheduleReviews(read.records);
    made.days.reserve(made.states.size());
    for (auto it = made.states.cbegin(); it != made.states.cend(); ++it)
        made.days.insert(it.key(), fsrsDueDay(*it));
    made.damaged = read.damaged;
    return made;
}

bool ReviewCache::goesOnTo(const QString& other, qint64 logSize, qint64 limit) const
{
    return list == other && logSize >= end && logSize - end <= limit;
}

void ReviewCache::readOn(const ReviewLog& log)
{
    qint64 next = 0;
    const ReviewRead read = log.readFrom(end, list, &next);
    addReviews(states, read.records);
    marksStale = marksStale || !read.records.isEmpty();
    for (const ReviewRecord& r : read.records)
        days.insert(r.item, fsrsDueDay(states.value(r.item)));
    damaged += read.damaged;
    end = next;
}

void ReviewCache::markDue(ProblemSet& set, const QDate& date)
{
    const qint64 today = reviewDay(date);
    set.reviewDays = days; // shared, not copied
    // A list loaded again unchanged on the same day takes the marks as they were.
    if (!marksStale && markedDay == today && set.allList == markedRecords) {
        set.dueList = dueList;
        set.dueLines = dueLines;
        return;
    }
    set.markDue([&](const QString& item) {
        const auto it = set.reviewDays.constFind(item);
        return it != set.reviewDays.constEnd() && *it <= today;
    });
    marksStale = false;
    markedRecords = set.allList;
    markedDay = today;
    dueList = set.dueList;
    dueLines = set.dueLines;
}

} // namespace keruna
