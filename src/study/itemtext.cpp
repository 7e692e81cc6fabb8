#include "study/itemtext.h"

#include <QCoreApplication>

namespace keruna {

namespace {

// 1-based position of the first separator at or after start (1-based), 0 when none;
// an empty separator is found at the start, as the text functions always did.
qsizetype findFrom(const QString& text, const QString& separator, qsizetype start)
{
    if (start < 1)
        start = 1;
    if (start > text.size() + 1)
        return 0;
    if (separator.isEmpty())
        return start;
    const qsizetype at = text.indexOf(separator, start - 1);
    return at < 0 ? 0 : at + 1;
}

} // namespace

QStringList SplitItemLine(const QString& line, int n, const QString& delimiter)
{
    if (delimiter.isEmpty())
        return {line};
    if (!line.contains(delimiter))
        return {line, QCoreApplication::translate("ItemText", "%1行目区切り文字エラー").arg(n)};
    return line.split(delimiter, Qt::KeepEmptyParts);
}

Result<QString> LimitMeanings(const QString& answer, const QString& separator, MeaningLimit limit)
{
    if (limit == MeaningLimit::Whole)
        return answer;
    qsizetype positions[3] = {};
    const int needed = limit == MeaningLimit::One ? 1 : limit == MeaningLimit::Two ? 2 : 3;
    qsizetype start = 1;
    for (int i = 0; i < needed; ++i) {
        positions[i] = findFrom(answer, separator, start);
        if (positions[i] > 32767)
            return AppError::of(ErrorNumber::Overflow);
        start = positions[i] + 1;
    }
    switch (limit) {
    case MeaningLimit::One:
        return positions[0] > 0 ? answer.left(positions[0] - 1) : answer;
    case MeaningLimit::Two:
        return positions[1] > 1 ? answer.left(positions[1] - 1) : answer;
    case MeaningLimit::Three:
        // With fewer than three separators the third search finds the first again.
        return positions[0] < positions[2] ? answer.left(positions[2] - 1) : answer;
    case MeaningLimit::Whole:
        break;
    }
    return answer;
}

Result<ItemText> PrepareItemText(const QString& line, int n, const QString& delimiter,
    const QString& separator, MeaningLimit limit, bool reverse)
{
    ItemText item;
    item.parts = SplitItemLine(line, n, delimiter);
    if (item.parts.size() < 2)
        return AppError::of(ErrorNumber::IndexOutOfRange);
    Result<QString> cut = LimitMeanings(item.parts[1], separator, limit);
    if (!cut)
        return cut.error();
    item.parts[1] = cut.value();
    item.question = reverse ? item.parts[1] : item.parts[0];
    item.answer = reverse ? item.parts[0] : item.parts[1];
    return item;
}

QString mainNumberText(int n, int count)
{
    return QStringLiteral("No. ") + QString::number(n) + QStringLiteral(" / ")
        + QString::number(count);
}

QString stickNumberText(int n, int count)
{
    return QStringLiteral(" No.") + QString::number(n) + u'/' + QString::number(count);
}

QString delimiterMismatchText(const QString& delimiter)
{
    return QCoreApplication::translate("ItemText",
        "エラー番号 ： 9\r\n指定した区切り文字  %1  が一致していません。\r\n"
        "正しく設定し直してから開始してください。")
        .arg(delimiter);
}

} // namespace keruna
