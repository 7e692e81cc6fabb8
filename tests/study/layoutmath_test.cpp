#include "study/layoutmath.h"

#include <gtest/gtest.h>

using namespace keruna;

TEST(LayoutMath, SizesFollowTheRatio)
{
    EXPECT_EQ(secondSizeOf(20, 50), 10);
    EXPECT_EQ(secondSizeOf(12, 20), 2);
    EXPECT_EQ(secondSizeOf(1, 20), 1); // never 0
    EXPECT_EQ(secondSizeOf(15, 30), 4);
}

TEST(LayoutMath, HeightsAndSpacing)
{
    EXPECT_EQ(labelTopTwips(1), 680);
    EXPECT_EQ(labelTopTwips(9), 2920);
    EXPECT_EQ(gapFactorOf(1), 31);
    EXPECT_EQ(gapFactorOf(9), -1);
    // At 120 points the second line is 3360 below the first whatever the spacing.
    EXPECT_EQ(answerTopTwips(680, 120, 31), 680 + 3360);
    EXPECT_EQ(answerTopTwips(680, 120, -1), 680 + 3360);
    EXPECT_EQ(answerTopTwips(680, 50, 27), 680 + 3360 - 70 * 27);
    EXPECT_EQ(answerTopTwips(960, 140, 31), 960 + 3360 + 620); // larger fonts push it down
}

TEST(LayoutMath, ItemFramePlaces)
{
    EXPECT_EQ(itemFramePlace(true, false).frameTop, -600);
    EXPECT_EQ(itemFramePlace(true, true).numberFromFrameBottom, 1170);
    EXPECT_EQ(itemFramePlace(false, false).numberFromFrameBottom, 1590);
    EXPECT_EQ(itemFramePlace(false, true).frameTop, 200);
}

TEST(LayoutMath, FocusWindowGrowsWithTheFont)
{
    EXPECT_EQ(focusSteps(29), 0);
    EXPECT_EQ(focusSteps(30), 1);
    EXPECT_EQ(focusSteps(40), 2);
    EXPECT_EQ(focusSteps(140), 12);
    EXPECT_EQ(focusWindowTwips(12), QSize(5000, 2600));
    EXPECT_EQ(focusWindowTwips(140), QSize(20600, 8000));
    EXPECT_EQ(focusCentringBoxTwips(50), QSize(7400, 3550));
}

TEST(LayoutMath, SplitterKeepsRoomAboveAndBelow)
{
    EXPECT_EQ(clampSplitterTop(100, 6000, 1000), 1000);
    EXPECT_EQ(clampSplitterTop(5500, 6000, 1000), 5000);
    EXPECT_EQ(clampSplitterTop(3000, 6000, 1000), 3000);
    EXPECT_EQ(clampSplitterTop(1500, 1800, 1000), 1000); // no room for both: at the top limit
}
