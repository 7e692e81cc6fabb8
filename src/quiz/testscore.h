#pragma once

#include "problemdata/range.h"
#include "quiz/testtypes.h"

#include <QString>

namespace keruna {

// Whole percent of correct answers, cut toward zero; 0 before any answer.
int correctRate(int correct, int wrong);

// "○ 3  × 2  正解率 60％"
QString scoreText(int correct, int wrong);

// What a progress line needs besides the counts.
struct ProgressInput {
    TestKind kind = TestKind::Automatic;
    int judged = 0;
    int total = 0; // items of the tested range
    double seconds = 0; // per item
    int lowest = 0; // number test bounds
    int highest = 0;
};
// "計 3/20     5秒 残り1分" (automatic), "計 4     2秒 0-1000" (number), "計 3/20" (manual).
QString progressText(const ProgressInput& in);

// "未暗記テスト結果 " and the others, by the range the test ran over.
QString resultTitlePrefix(RangeFilter range);
// "未暗記テスト結果 20問"
QString resultTitleText(RangeFilter range, int count);

} // namespace keruna
