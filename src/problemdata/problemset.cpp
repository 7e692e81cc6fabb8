#include "problemdata/problemset.h"

#include "problemdata/problemrecord.h"

namespace keruna {

QString ProblemSet::rawLine(int index) const
{
    return lineToWrite(allList.at(index));
}

QStringList ProblemSet::rawLines() const
{
    QStringList lines;
    lines.reserve(allList.size());
    for (const QString& record : allList)
        lines.append(lineToWrite(record));
    return lines;
}

void ProblemSet::clearRecords()
{
    allList.clear();
    notYetList.clear();
    memorizedList.clear();
    redList.clear();
    dueList.clear();
    dueLines.clear();
    reviewDays.clear();
    totalCount = notYetCount = memorizedCount = redCount = 0;
}

void ProblemSet::addLine(QStringView line)
{
    const MarkCode code = writtenCodeOf(line);
    QString record = classifyLine(line);
    if (isMemorizedCode(code)) {
        memorizedList.append(record);
        ++memorizedCount;
    } else {
        notYetList.append(record);
        ++notYetCount;
    }
    if (isRedCode(code)) {
        redList.append(record);
        ++redCount;
    }
    allList.append(std::move(record));
    ++totalCount;
}

} // namespace keruna
