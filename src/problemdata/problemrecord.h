#pragma once

#include <QString>
#include <QStringView>

#include <utility>

namespace keruna {

// The three-character mark codes that end a record. In files the not-yet code is never
// written: an unmarked line is a not-yet item.
namespace MarkSuffix {
inline const QString Memorized = QStringLiteral(",,○");
inline const QString MemorizedRed = QStringLiteral(",赤○");
inline const QString NotYetRed = QStringLiteral(",赤×");
inline const QString NotYet = QStringLiteral(",,×");
inline constexpr int kLength = 3;
} // namespace MarkSuffix

// The written code a line ends with; None for every other ending (",,×" included).
enum class MarkCode { None, Memorized, MemorizedRed, NotYetRed };
MarkCode writtenCodeOf(QStringView line);
inline bool isMemorizedCode(MarkCode code)
{
    return code == MarkCode::Memorized || code == MarkCode::MemorizedRed;
}
inline bool isRedCode(MarkCode code)
{
    return code == MarkCode::MemorizedRed || code == MarkCode::NotYetRed;
}

// The record (stored form) of a non-blank line: the line itself when it already ends in
// one of the three written codes, otherwise the line followed by ",,×".
QString classifyLine(QStringView line);
// The line to write for a record: the record without a trailing ",,×".
QString lineToWrite(const QString& record);

// Views of a record.
inline QString itemTextOf(const QString& record)
{
    return record.left(record.size() - MarkSuffix::kLength);
}
bool isMemorizedRecord(QStringView record);
bool isRedRecord(QStringView record);

// The two columns a list shows for an item text: the text before the first delimiter, and
// the text after it up to the next one; without a delimiter the whole text and nothing.
std::pair<QString, QString> listColumns(const QString& text, const QString& delimiter);

} // namespace keruna
