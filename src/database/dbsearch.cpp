#include "database/dbsearch.h"

#include "common/textmatch.h"
#include "database/dblistmodel.h"

namespace keruna {

DbSearchStep FindNext(
    DbSearchState& state, const DbListModel& left, const DbListModel& right, const QString& text)
{
    const int n1 = left.count();
    const int total = n1 + right.count();
    if (total == 0 || text.isEmpty())
        return {};
    const TypedTextFinder finder(text, Qt::CaseInsensitive);
    for (int k = state.position + 1; k <= total; ++k) {
        const bool inLeft = k <= n1;
        const DbEntry& e = inLeft ? left.entry(k - 1) : right.entry(k - n1 - 1);
        if (!finder.in(e.question) && !finder.in(e.answer))
            continue;
        DbSearchStep step;
        step.list = inLeft ? DbSearchStep::List::Left : DbSearchStep::List::Right;
        step.row = inLeft ? k - 1 : k - n1 - 1;
        state.position = k;
        state.found = true;
        if (k == total) {
            step.message = kSearchEnded;
            state.position = 0;
        }
        return step;
    }
    DbSearchStep step;
    step.message = state.found ? kSearchEnded : kSearchNotFound;
    state.position = 0;
    return step;
}

} // namespace keruna
