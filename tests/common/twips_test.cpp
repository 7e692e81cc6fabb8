#include "common/twips.h"

#include <gtest/gtest.h>

using namespace keruna;

TEST(Twips, FifteenTwipsMakeAPixel)
{
    EXPECT_EQ(twipsToPixels(180), 12);
    EXPECT_EQ(twipsToPixels(1440), 96);
    EXPECT_EQ(twipsToPixels(-600), -40);
    EXPECT_EQ(pixelsToTwips(64), 960);
}

TEST(Twips, ColoursAreStoredBlueGreenRed)
{
    EXPECT_EQ(colorFromBgr(15962624), QColor(0x00, 0x92, 0xF3));
    EXPECT_EQ(colorFromBgr(255), QColor(255, 0, 0));
    EXPECT_EQ(colorFromBgr(16777215), QColor(Qt::white));
    EXPECT_EQ(bgrFromColor(QColor(0x00, 0x92, 0xF3)), 15962624);
}
