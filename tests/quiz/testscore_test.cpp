#include "quiz/testscore.h"

#include <gtest/gtest.h>

namespace keruna {
namespace {

TEST(TestScore, RateIsCutAndScoreTextKeepsItsSpacing)
{
    EXPECT_EQ(scoreText(0, 0), QStringLiteral("○ 0  × 0  正解率 0％"));
    EXPECT_EQ(scoreText(2, 1), QStringLiteral("○ 2  × 1  正解率 66％"));
    EXPECT_EQ(correctRate(1, 2), 33);
    EXPECT_EQ(correctRate(19999, 1), 99); // never rounded up to a perfect score
    EXPECT_EQ(correctRate(32767, 32767), 50); // no overflow in the product
}

TEST(TestScore, ProgressTextByKind)
{
    struct Case {
        ProgressInput in;
        QString expected;
    } cases[] = {
        // 5 × 17 / 60 = 1.4 minutes left: cut to 1.
        {{TestKind::Automatic, 3, 20, 5, 0, 0}, QStringLiteral("計 3/20     5秒 残り1分")},
        {{TestKind::Automatic, 0, 1, 0.5, 0, 0}, QStringLiteral("計 0/1     0.5秒 残り0分")},
        {{TestKind::Automatic, 20, 20, 60, 0, 0}, QStringLiteral("計 20/20     60秒 残り0分")},
        {{TestKind::Number, 4, 1, 2, 0, 1000}, QStringLiteral("計 4     2秒 0-1000")},
        {{TestKind::Manual, 3, 20, 5, 0, 0}, QStringLiteral("計 3/20")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(progressText(c.in), c.expected) << c.expected.toStdString();
}

TEST(TestScore, ResultTitleNamesRangeAndSize)
{
    EXPECT_EQ(resultTitleText(RangeFilter::NotYet, 20), QStringLiteral("未暗記テスト結果 20問"));
    EXPECT_EQ(resultTitleText(RangeFilter::Memorized, 1), QStringLiteral("暗記済テスト結果 1問"));
    EXPECT_EQ(resultTitleText(RangeFilter::Red, 3), QStringLiteral("要チェックテスト結果 3問"));
    EXPECT_EQ(resultTitleText(RangeFilter::All, 700), QStringLiteral("全てテスト結果 700問"));
}

} // namespace
} // namespace keruna
