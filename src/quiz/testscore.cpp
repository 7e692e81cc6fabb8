#include "quiz/testscore.h"

#include "common/numbers.h"

namespace keruna {

int correctRate(int correct, int wrong)
{
    const qint64 answered = qint64(correct) + wrong;
    if (answered < 1)
        return 0;
    return int(qint64(correct) * 100 / answered);
}

QString scoreText(int correct, int wrong)
{
    return QStringLiteral("○ %1  × %2  正解率 %3％")
        .arg(correct)
        .arg(wrong)
        .arg(correctRate(correct, wrong));
}

QString progressText(const ProgressInput& in)
{
    const QString judged = QStringLiteral("計 ") + QString::number(in.judged);
    const QString seconds = numberText(in.seconds) + QStringLiteral("秒 ");
    switch (in.kind) {
    case TestKind::Automatic: {
        const int minutes = int(wholePart(in.seconds * (in.total - in.judged) / 60));
        return judged + u'/' + QString::number(in.total) + QStringLiteral("     ") + seconds
            + QStringLiteral("残り") + QString::number(minutes) + QStringLiteral("分");
    }
    case TestKind::Number:
        return judged + QStringLiteral("     ") + seconds + QString::number(in.lowest) + u'-'
            + QString::number(in.highest);
    case TestKind::Manual:
        break;
    }
    return judged + u'/' + QString::number(in.total);
}

QString resultTitlePrefix(RangeFilter range)
{
    switch (range) {
    case RangeFilter::NotYet:
        return QStringLiteral("未暗記テスト結果 ");
    case RangeFilter::Memorized:
        return QStringLiteral("暗記済テスト結果 ");
    case RangeFilter::Red:
        return QStringLiteral("要チェックテスト結果 ");
    case RangeFilter::Review:
        return QStringLiteral("復習テスト結果 ");
    case RangeFilter::All:
        break;
    }
    return QStringLiteral("全てテスト結果 ");
}

QString resultTitleText(RangeFilter range, int count)
{
    return resultTitlePrefix(range) + QString::number(count) + QStringLiteral("問");
}

} // namespace keruna
