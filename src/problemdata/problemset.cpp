#include "problemdata/problemset.h"

#include "problemdata/problemrecord.h"

namespace keruna {

void ProblemSet::clearRecords()
{
    rawLines.clear();
    allList.clear();
    notYetList.clear();
    memorizedList.clear();
    redList.clear();
    totalCount = notYetCount = memorizedCount = redCount = 0;
}

void ProblemSet::addLine(const QString& line)
{
    rawLines.append(line);
    QString record = classifyLine(line);
    if (isMemorizedRecord(record)) {
        memorizedList.append(record);
        ++memorizedCount;
    } else {
        notYetList.append(record);
        ++notYetCount;
    }
    if (isRedRecord(record)) {
        redList.append(record);
        ++redCount;
    }
    allList.append(std::move(record));
    ++totalCount;
}

} // namespace keruna
