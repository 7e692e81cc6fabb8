#include "quiz/testscore.h"

#include "common/numbers.h"

#include <QCoreApplication>

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
    return QCoreApplication::translate("TestScore", "○ %1  × %2  正解率 %3％")
        .arg(correct)
        .arg(wrong)
        .arg(correctRate(correct, wrong));
}

QString progressText(const ProgressInput& in)
{
    const QString judged = QString::number(in.judged);
    const QString total = QString::number(in.total);
    const QString seconds = numberText(in.seconds);
    switch (in.kind) {
    case TestKind::Automatic: {
        const int minutes = int(wholePart(in.seconds * (in.total - in.judged) / 60));
        return QCoreApplication::translate("TestScore", "計 %1/%2     %3秒 残り%4分")
            .arg(judged, total, seconds, QString::number(minutes));
    }
    case TestKind::Number:
        return QCoreApplication::translate("TestScore", "計 %1     %2秒 %3-%4")
            .arg(judged, seconds, QString::number(in.lowest), QString::number(in.highest));
    case TestKind::Manual:
        break;
    }
    return QCoreApplication::translate("TestScore", "計 %1/%2").arg(judged, total);
}

QString resultTitlePrefix(RangeFilter range)
{
    switch (range) {
    case RangeFilter::NotYet:
        return QCoreApplication::translate("TestScore", "未暗記テスト結果 ");
    case RangeFilter::Memorized:
        return QCoreApplication::translate("TestScore", "暗記済テスト結果 ");
    case RangeFilter::Red:
        return QCoreApplication::translate("TestScore", "要チェックテスト結果 ");
    case RangeFilter::Review:
        return QCoreApplication::translate("TestScore", "復習テスト結果 ");
    case RangeFilter::All:
        break;
    }
    return QCoreApplication::translate("TestScore", "全てテスト結果 ");
}

QString resultTitleText(RangeFilter range, int count)
{
    return QCoreApplication::translate("TestScore", "%1%2問")
        .arg(resultTitlePrefix(range), QString::number(count));
}

} // namespace keruna
