#pragma once

#include "common/result.h"

#include <QString>
#include <QStringList>

namespace keruna {

// The texts of the item on show.
struct ItemText {
    QStringList parts; // the line split at the delimiter; element 0 is what speech says
    QString question;
    QString answer;
    QString numberText; // "No. 5 / 20"
};

// How much of the answer column is shown: all of it, or up to its first one, two or
// three meanings.
enum class MeaningLimit { Whole, One, Two, Three };

// Splits a line at every delimiter. A line without the delimiter shows whole as the
// question, with "<n>行目区切り文字エラー" as its answer. An empty delimiter counts as
// found and gives a single part.
QStringList SplitItemLine(const QString& line, int n, const QString& delimiter);

// Cuts an answer column to its first meanings. Positions are 16-bit: a separator found
// past 32767 characters is an overflow (error 6).
Result<QString> LimitMeanings(const QString& answer, const QString& separator, MeaningLimit limit);

// Split, cut and orientation together. Error 9 when the split gave fewer than two parts
// (an empty delimiter), which the engines report as a delimiter mismatch.
Result<ItemText> PrepareItemText(const QString& line, int n, const QString& delimiter,
    const QString& separator, MeaningLimit limit, bool reverse);

// "No. 5 / 20" for the main, focus and internal GET screens.
QString mainNumberText(int n, int count);
// " No.5/20" for the stick screen's caption.
QString stickNumberText(int n, int count);

// The message for error 9 in an engine step, naming the delimiter in force.
QString delimiterMismatchText(const QString& delimiter);

} // namespace keruna
