#include "problemdata/range.h"

#include "problemdata/problemrecord.h"

#include <QCoreApplication>

namespace keruna {

RangeFilter rangeFromIndex(int index)
{
    switch (index) {
    case 1:
        return RangeFilter::Memorized;
    case 2:
        return RangeFilter::Red;
    case 3:
        return RangeFilter::All;
    case 4:
        return RangeFilter::Review;
    default:
        return RangeFilter::NotYet;
    }
}

QString rangeLabel(RangeFilter range)
{
    switch (range) {
    case RangeFilter::NotYet:
        return QCoreApplication::translate("Range", "【未】");
    case RangeFilter::Memorized:
        return QCoreApplication::translate("Range", "【覚】");
    case RangeFilter::Red:
        return QCoreApplication::translate("Range", "【要】");
    case RangeFilter::All:
        return QCoreApplication::translate("Range", "【全】");
    case RangeFilter::Review:
        return QCoreApplication::translate("Range", "【復】");
    }
    return {};
}

QString rangeStoredLabel(RangeFilter range)
{
    switch (range) {
    case RangeFilter::NotYet:
        return QStringLiteral("【未】");
    case RangeFilter::Memorized:
        return QStringLiteral("【覚】");
    case RangeFilter::Red:
        return QStringLiteral("【要】");
    case RangeFilter::All:
        return QStringLiteral("【全】");
    case RangeFilter::Review:
        return QStringLiteral("【復】");
    }
    return {};
}

QString rangeLabelOfStored(const QString& stored)
{
    for (int i = 0; i < kRangeCount; ++i) {
        const RangeFilter range = rangeFromIndex(i);
        if (stored == rangeStoredLabel(range))
            return rangeLabel(range);
    }
    return stored;
}

QString rangeEmptyMessage(RangeFilter range)
{
    switch (range) {
    case RangeFilter::NotYet:
        return QCoreApplication::translate("Range", "未暗記データがありません。");
    case RangeFilter::Memorized:
        return QCoreApplication::translate("Range", "暗記済みデータがありません。");
    case RangeFilter::Red:
        return QCoreApplication::translate("Range", "要チェックデータがありません。");
    case RangeFilter::All:
        return {};
    case RangeFilter::Review:
        return QCoreApplication::translate("Range", "復習する問題はありません。");
    }
    return {};
}

const QStringList& rangeList(const ProblemSet& set, RangeFilter range)
{
    switch (range) {
    case RangeFilter::NotYet:
        return set.notYetList;
    case RangeFilter::Memorized:
        return set.memorizedList;
    case RangeFilter::Red:
        return set.redList;
    case RangeFilter::Review:
        return set.dueList;
    case RangeFilter::All:
        break;
    }
    return set.allList;
}

QList<int> rangeLines(const ProblemSet& set, RangeFilter range)
{
    if (range == RangeFilter::Review)
        return set.dueLines;
    QList<int> lines;
    lines.reserve(rangeCountOf(set, range));
    for (int i = 0; i < set.allList.size(); ++i) {
        const QString& record = set.allList[i];
        const bool in = range == RangeFilter::All
            || (range == RangeFilter::NotYet && !isMemorizedRecord(record))
            || (range == RangeFilter::Memorized && isMemorizedRecord(record))
            || (range == RangeFilter::Red && isRedRecord(record));
        if (in)
            lines.append(i);
    }
    return lines;
}

int rangeCountOf(const ProblemSet& set, RangeFilter range)
{
    switch (range) {
    case RangeFilter::NotYet:
        return set.notYetCount;
    case RangeFilter::Memorized:
        return set.memorizedCount;
    case RangeFilter::Red:
        return set.redCount;
    case RangeFilter::Review:
        return int(set.dueList.size());
    case RangeFilter::All:
        break;
    }
    return set.totalCount;
}

RangeFilter initialRange(const ProblemSet& set)
{
    return set.notYetCount != 0 ? RangeFilter::NotYet : RangeFilter::All;
}

RangeDecision RangeState::decide(const ProblemSet& set, RangeFilter range) const
{
    if (restoring)
        return RangeDecision::Ignore;
    if (range != RangeFilter::All && rangeCountOf(set, range) == 0)
        return RangeDecision::Refuse;
    return RangeDecision::Select;
}

QString countsText(int notYet, int memorized, int red)
{
    QString text = QCoreApplication::translate("Range", " 未%1 覚%2")
                       .arg(QString::number(notYet), QString::number(memorized));
    if (red > 0)
        text += QCoreApplication::translate("Range", " (要%1)").arg(red);
    return text;
}

std::optional<QString> updateTitleTexts(RangeState& state, const ProblemSet& set)
{
    if (set.path.isEmpty())
        return std::nullopt;
    if (state.current) {
        state.rangeStatusText = rangeLabel(*state.current)
            + countsText(set.notYetCount, set.memorizedCount, set.redCount);
    }
    state.completionText = set.notYetCount != 0
        ? QString()
        : QCoreApplication::translate("Range", "全て完了しました");
    return programName() + QStringLiteral("\u3000 ") + fileNameOf(set.path) + u' '
        + state.rangeStatusText + QStringLiteral("   ") + state.completionText;
}

QString fileNameOf(const QString& path)
{
    const qsizetype cut = qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}

QString folderOf(const QString& path)
{
    const qsizetype cut = qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return cut < 0 ? QString() : path.left(cut);
}

QString programName()
{
    return QCoreApplication::translate("Range", "ケルナ");
}

} // namespace keruna
