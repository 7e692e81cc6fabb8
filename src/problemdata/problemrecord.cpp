#include "problemdata/problemrecord.h"

#include <algorithm>

namespace keruna {

MarkCode writtenCodeOf(QStringView line)
{
    const qsizetype n = line.size();
    if (n < MarkSuffix::kLength || line[n - 3] != u',')
        return MarkCode::None;
    const char16_t middle = line[n - 2].unicode();
    const char16_t last = line[n - 1].unicode();
    if (middle == u',' && last == u'○')
        return MarkCode::Memorized;
    if (middle == u'赤' && last == u'○')
        return MarkCode::MemorizedRed;
    if (middle == u'赤' && last == u'×')
        return MarkCode::NotYetRed;
    return MarkCode::None;
}

QString classifyLine(QStringView line)
{
    if (writtenCodeOf(line) != MarkCode::None)
        return line.toString();
    // One allocation: this runs for every unmarked line of every list loaded.
    QString record(line.size() + MarkSuffix::kLength, Qt::Uninitialized);
    QChar* out = record.data();
    std::copy(line.begin(), line.end(), out);
    std::copy(MarkSuffix::NotYet.begin(), MarkSuffix::NotYet.end(), out + line.size());
    return record;
}

QString lineToWrite(const QString& record)
{
    return record.endsWith(MarkSuffix::NotYet) ? itemTextOf(record) : record;
}

bool isMemorizedRecord(QStringView record)
{
    const MarkCode code = writtenCodeOf(record);
    return code == MarkCode::Memorized || code == MarkCode::MemorizedRed;
}

bool isRedRecord(QStringView record)
{
    const MarkCode code = writtenCodeOf(record);
    return code == MarkCode::MemorizedRed || code == MarkCode::NotYetRed;
}

std::pair<QString, QString> listColumns(const QString& text, const QString& delimiter)
{
    const qsizetype at = delimiter.isEmpty() ? -1 : text.indexOf(delimiter);
    if (at < 0)
        return {text, QString()};
    const qsizetype start = at + delimiter.size();
    const qsizetype next = text.indexOf(delimiter, start);
    return {text.left(at), next < 0 ? text.mid(start) : text.mid(start, next - start)};
}

} // namespace keruna
