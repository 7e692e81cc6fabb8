#pragma once

#include "review/fsrs.h"
#include "review/reviewlog.h"

#include <QHash>
#include <QString>

namespace keruna {

// Day numbers as the scheduler counts them: local calendar days.
inline int64_t reviewDay(const QDate& date)
{
    return date.toJulianDay();
}

// Each item's memory after its judgements in the log, in the order they were made (right
// is Good, wrong is Again). Items are keyed by their text: an item renamed in the list
// starts afresh, one deleted is simply never asked about.
QHash<QString, FsrsState> scheduleReviews(const QList<ReviewRecord>& records);
// Adds later judgements to schedules made before.
void addReviews(QHash<QString, FsrsState>& states, const QList<ReviewRecord>& records);

// How many of the memorized records come due on each of the days from today on: an item
// overdue counts today, one not scheduled or due later is not counted. reviewDays holds each
// scheduled item's next review day by its item text.
QList<int> reviewForecast(const QStringList& memorized, const QHash<QString, qint64>& reviewDays,
    const QDate& today, int days);

} // namespace keruna
