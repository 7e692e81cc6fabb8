#pragma once

#include "review/fsrs.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace keruna {

class ReviewLog;
struct ProblemSet;

// The review schedule of the word list last loaded, kept between loads: a load of the
// same list reads only what the log gained since, and marks the due items again only
// when the schedule, the list or the day changed.
struct ReviewCache {
    QString list; // absolute path
    qint64 end = 0; // bytes of the log read
    QHash<QString, FsrsState> states;
    QHash<QString, qint64> days; // each item's next review, made when states change
    int damaged = 0; // lines of the log skipped
    // The due lines last marked, for the records and the day they were marked on.
    bool marksStale = true; // days changed since
    QStringList markedRecords;
    qint64 markedDay = 0;
    QStringList dueList;
    QList<int> dueLines;

    // The schedule of list from the whole log at logPath (safe off the user-interface
    // thread: it touches nothing shared).
    static ReviewCache read(const QString& logPath, const QString& list);
    // Whether a load of list can go on from this schedule, reading what the log gained
    // here: the same list, a log not made shorter (cleared), and no more than limit bytes
    // gained (more is another program's work, read afresh like a first load).
    bool goesOnTo(const QString& list, qint64 logSize, qint64 limit) const;
    // Takes in the judgements the log gained since it was last read.
    void readOn(const ReviewLog& log);
    // Gives set the schedule's days and marks its items due by today.
    void markDue(ProblemSet& set, const QDate& today);
};

} // namespace keruna
