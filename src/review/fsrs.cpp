#include "review/fsrs.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace keruna {

namespace {

const double* const w = kFsrsWeights;

constexpr double kMinStability = 0.001;
constexpr double kMaxStability = 36500.0;

double decay()
{
    return -w[20];
}
// Chosen so that the forgetting curve passes through 0.9 exactly when elapsed == stability.
double factor()
{
    return std::pow(0.9, 1.0 / decay()) - 1.0;
}

int clampRating(int rating)
{
    return std::clamp(rating, 1, 4);
}
double clampStability(double s)
{
    return std::clamp(s, kMinStability, kMaxStability);
}
double clampDifficulty(double d)
{
    return std::clamp(d, 1.0, 10.0);
}

// The unclamped form is the mean-reversion target: clamping it would move the anchor to 1.
double rawInitialDifficulty(int rating)
{
    return w[4] - std::exp(w[5] * (rating - 1)) + 1.0;
}

} // namespace

double fsrsInitialStability(int rating)
{
    return clampStability(w[clampRating(rating) - 1]);
}

double fsrsInitialDifficulty(int rating)
{
    return clampDifficulty(rawInitialDifficulty(clampRating(rating)));
}

double fsrsNextDifficulty(double difficulty, int rating)
{
    const double delta = -w[6] * (clampRating(rating) - 3);
    // Linear damping: the closer to 10, the smaller the step, so D approaches 10 without jumping.
    const double damped = difficulty + delta * (10.0 - difficulty) / 9.0;
    const double reverted = w[7] * rawInitialDifficulty(4) + (1.0 - w[7]) * damped;
    return clampDifficulty(reverted);
}

double fsrsRecallStability(double difficulty, double stability, double retrievability, int rating)
{
    rating = clampRating(rating);
    const double hardPenalty = rating == 2 ? w[15] : 1.0;
    const double easyBonus = rating == 4 ? w[16] : 1.0;
    const double growth = std::exp(w[8]) * (11.0 - difficulty) * std::pow(stability, -w[9])
        * (std::exp((1.0 - retrievability) * w[10]) - 1.0) * hardPenalty * easyBonus;
    return clampStability(stability * (1.0 + growth));
}

double fsrsForgetStability(double difficulty, double stability, double retrievability)
{
    const double longTerm = w[11] * std::pow(difficulty, -w[12])
        * (std::pow(stability + 1.0, w[13]) - 1.0) * std::exp((1.0 - retrievability) * w[14]);
    // A lapse must never leave the word more stable than a same-day Again would.
    const double cap = stability / std::exp(w[17] * w[18]);
    return clampStability(std::min(longTerm, cap));
}

double fsrsShortTermStability(double stability, int rating)
{
    rating = clampRating(rating);
    double increase = std::exp(w[17] * (rating - 3 + w[18])) * std::pow(stability, -w[19]);
    // Any answer but Again on the same day may not lower stability, however high it already is.
    if (rating >= 2)
        increase = std::max(increase, 1.0);
    return clampStability(stability * increase);
}

double fsrsRetrievability(const FsrsState& s, double elapsedDays)
{
    if (s.reviews == 0)
        return 0.0;
    const double t = std::max(elapsedDays, 0.0);
    return std::pow(1.0 + factor() * t / s.stability, decay());
}

int fsrsIntervalDays(double stability)
{
    const double days = stability / factor() * (std::pow(kFsrsRetention, 1.0 / decay()) - 1.0);
    if (!(days < kFsrsMaxInterval)) // also catches NaN
        return kFsrsMaxInterval;
    return static_cast<int>(std::clamp<long>(std::lround(days), 1, kFsrsMaxInterval));
}

int64_t fsrsDueDay(const FsrsState& s)
{
    if (s.reviews == 0)
        return INT64_MIN;
    return s.lastDay + fsrsIntervalDays(s.stability);
}

FsrsState fsrsApply(const FsrsState& state, const FsrsReview& review)
{
    FsrsState next = state;
    next.lastDay = review.day;
    next.reviews = state.reviews + 1;
    if (state.reviews == 0) {
        next.stability = fsrsInitialStability(review.rating);
        next.difficulty = fsrsInitialDifficulty(review.rating);
        return next;
    }
    // Whole calendar days, as the reference counts them; a clock set back counts as same day.
    const int64_t elapsed = review.day - state.lastDay;
    if (elapsed < 1) {
        next.stability = fsrsShortTermStability(state.stability, review.rating);
    } else {
        const double r = fsrsRetrievability(state, static_cast<double>(elapsed));
        next.stability = clampRating(review.rating) == 1
            ? fsrsForgetStability(state.difficulty, state.stability, r)
            : fsrsRecallStability(state.difficulty, state.stability, r, review.rating);
    }
    next.difficulty = fsrsNextDifficulty(state.difficulty, review.rating);
    return next;
}

FsrsState fsrsReplay(const std::vector<FsrsReview>& reviews)
{
    FsrsState state;
    for (const FsrsReview& review : reviews)
        state = fsrsApply(state, review);
    return state;
}

} // namespace keruna
