#include "review/reviewschedule.h"

namespace keruna {

QHash<QString, FsrsState> scheduleReviews(const QList<ReviewRecord>& records)
{
    QHash<QString, FsrsState> states;
    for (const ReviewRecord& r : records) {
        FsrsState& s = states[r.item];
        s = fsrsApply(s, {reviewDay(r.date), r.right ? 3 : 1});
    }
    return states;
}

} // namespace keruna
