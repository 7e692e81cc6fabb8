#include "review/reviewschedule.h"

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

} // namespace keruna
