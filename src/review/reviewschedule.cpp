#include "review/reviewschedule.h"

#include "problemdata/problemrecord.h"

#include <algorithm>

namespace keruna {

QHash<QString, FsrsState> scheduleReviews(const QList<ReviewRecord>& records)
{
    QHash<QString, FsrsState> states;
    addReviews(states, records);
    return states;
}

void addReviews(QHash<QString, FsrsState>& states, const QList<ReviewRecord>& records)
{
    for (const ReviewRecord& r : records) {
        FsrsState& s = states[r.item];
        s = fsrsApply(s, {reviewDay(r.date), r.right ? 3 : 1});
    }
}

QList<int> reviewForecast(const QStringList& memorized, const QHash<QString, qint64>& reviewDays,
    const QDate& today, int days)
{
    QList<int> perDay(days, 0);
    const qint64 first = reviewDay(today);
    for (const QString& record : memorized) {
        const auto due = reviewDays.constFind(itemTextOf(record));
        if (due != reviewDays.constEnd() && *due - first < days)
            ++perDay[int(std::max<qint64>(0, *due - first))];
    }
    return perDay;
}

} // namespace keruna
