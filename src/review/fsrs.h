#pragma once

#include <cstdint>
#include <vector>

namespace keruna {

// FSRS-6 memory model with its published default weights, no fuzz, retention 0.9.
// The program answers only Again (1) and Good (3); Hard (2) and Easy (4) work too.

struct FsrsReview {
    int64_t day; // local calendar day number
    int rating; // 1 Again, 2 Hard, 3 Good, 4 Easy
};

struct FsrsState {
    double stability = 0;
    double difficulty = 0;
    int64_t lastDay = 0;
    int reviews = 0;
};

inline constexpr double kFsrsWeights[21] = {
    0.212,
    1.2931,
    2.3065,
    8.2956,
    6.4133,
    0.8334,
    3.0194,
    0.001,
    1.8722,
    0.1666,
    0.796,
    1.4835,
    0.0614,
    0.2629,
    1.6483,
    0.6014,
    1.8729,
    0.5425,
    0.0912,
    0.0658,
    0.1542,
};
inline constexpr double kFsrsRetention = 0.9;
inline constexpr int kFsrsMaxInterval = 36500;

// Reviews in time order; an empty list gives a state with reviews == 0.
FsrsState fsrsReplay(const std::vector<FsrsReview>& reviews);
// One more review on top of a state (the first one when state.reviews == 0).
FsrsState fsrsApply(const FsrsState& state, const FsrsReview& review);

// Probability of recall after elapsedDays; 0 for a word never reviewed.
double fsrsRetrievability(const FsrsState& s, double elapsedDays);
int fsrsIntervalDays(double stability);
// INT64_MIN for a word never reviewed, so it never shows up as due.
int64_t fsrsDueDay(const FsrsState& s);

// The single steps, exposed so they can be checked one by one.
double fsrsInitialStability(int rating);
double fsrsInitialDifficulty(int rating);
double fsrsNextDifficulty(double difficulty, int rating);
double fsrsRecallStability(double difficulty, double stability, double retrievability, int rating);
double fsrsForgetStability(double difficulty, double stability, double retrievability);
double fsrsShortTermStability(double stability, int rating);

} // namespace keruna
