#include "problemdata/problemrecord.h"

namespace keruna {

namespace {

bool hasWrittenCode(const QString& line)
{
    return line.endsWith(MarkSuffix::Memorized) || line.endsWith(MarkSuffix::MemorizedRed)
        || line.endsWith(MarkSuffix::NotYetRed);
}

} // namespace

QString classifyLine(const QString& line)
{
    return hasWrittenCode(line) ? line : line + MarkSuffix::NotYet;
}

QString lineToWrite(const QString& record)
{
    return record.endsWith(MarkSuffix::NotYet) ? itemTextOf(record) : record;
}

bool isMemorizedRecord(const QString& record)
{
    return record.endsWith(MarkSuffix::Memorized) || record.endsWith(MarkSuffix::MemorizedRed);
}

bool isRedRecord(const QString& record)
{
    return record.endsWith(MarkSuffix::MemorizedRed) || record.endsWith(MarkSuffix::NotYetRed);
}

} // namespace keruna
