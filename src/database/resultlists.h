#pragma once

#include "problemdata/saveprogress.h"

#include <QList>
#include <QString>

#include <optional>

namespace keruna {

class DbListModel;

// The database screen's title while it shows a test's results.
QString resultWindowTitle();

// Splits a finished test's list into the correct list (checked entries) and the wrong
// list, in test order, with the columns and needs-check marks of the database lists. The
// result entries start unchecked: a test entry's check means answered correctly. Each
// list is replaced whole, so 20000 entries cost one reset, not a signal per entry.
void FillResultLists(const QList<ListEntry>& testList, const QString& delimiter,
    DbListModel& correct, DbListModel& wrong);

// The comment for a correct rate in whole percent. A perfect rate is praised more when
// every question of the range was answered. Nothing when no answer was given or the rate
// is not a percentage: the comment shown stays.
std::optional<QString> resultComment(int rate, int answered, int questions);

} // namespace keruna
