#include "common/numbers.h"

#include <gtest/gtest.h>

#include <limits>

using namespace keruna;

TEST(Numbers, IsNumericAsAUserTypesNumbers)
{
    for (const char* yes : {"2", " 2 ", "-3", "+4.5", "0.01", ".5", "5.", "1e3", "1E-2", "600"})
        EXPECT_TRUE(isNumeric(QString::fromLatin1(yes))) << yes;
    // An input method in full-width mode types U+3000 for a space.
    EXPECT_EQ(toNumber(QStringLiteral("\u3000"
                                      "12\u3000")),
        12);
    for (const char* no : {"", " ", "abc", "ERROR", "1.2.3", "e5", "1e", "--1", "1,000", "."})
        EXPECT_FALSE(isNumeric(QString::fromLatin1(no))) << no;
}

TEST(Numbers, ConversionsFailInsteadOfGuessing)
{
    EXPECT_EQ(toBool("True"), true);
    EXPECT_EQ(toBool("false"), false);
    EXPECT_EQ(toBool(" TRUE "), true);
    EXPECT_EQ(toBool("1"), true);
    EXPECT_EQ(toBool("0"), false);
    EXPECT_EQ(toBool("-1"), true); // the numeric form of True
    EXPECT_EQ(toBool("ERROR"), std::nullopt);
    EXPECT_EQ(toBool(""), std::nullopt);

    // Rounded half to even, 16-bit range.
    EXPECT_EQ(toInt16("2.5"), 2);
    EXPECT_EQ(toInt16("3.5"), 4);
    EXPECT_EQ(toInt16("-32768"), -32768);
    EXPECT_EQ(toInt16("32767.4"), 32767);
    EXPECT_EQ(toInt16("32767.6"), std::nullopt);
    EXPECT_EQ(toInt16("abc"), std::nullopt);
}

TEST(Numbers, NumberTextIsTheShortestPlainDecimal)
{
    EXPECT_EQ(numberText(5), "5");
    EXPECT_EQ(numberText(0.5), "0.5");
    EXPECT_EQ(numberText(15962624), "15962624");
    EXPECT_EQ(numberText(-0.25), "-0.25");
    for (const char* text :
        {"0.0000001", "1.2345678", "10.12345678", "0.000000001", "-3.0000000001"})
        EXPECT_EQ(numberText(QString::fromLatin1(text).toDouble()), QString::fromLatin1(text));
}

TEST(Numbers, WholePartAndCutAndTheSixteenBitBounds)
{
    struct Case {
        double value, whole, cut;
    };
    for (const Case& c : std::initializer_list<Case> {{2.7, 2, 2}, {-2.7, -3, -2}, {-2.5, -3, -2},
             {-0.1, -1, 0}, {3, 3, 3}, {-3, -3, -3}, {0.999, 0, 0}}) {
        EXPECT_EQ(wholePart(c.value), c.whole) << c.value;
        EXPECT_EQ(cutTowardZero(c.value), c.cut) << c.value;
    }
    // Rounded half to even before the range is checked.
    EXPECT_EQ(roundToInt16(-32768.5), -32768);
    EXPECT_EQ(roundToInt16(-32768.6), std::nullopt);
    EXPECT_EQ(roundToInt16(32767.5), std::nullopt);
    EXPECT_EQ(roundToInt16(-0.5), 0);
    EXPECT_EQ(roundToInt16(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(toInt16(" -7 "), -7);
    EXPECT_EQ(toInt16("1e3"), 1000);
    EXPECT_EQ(toInt16("4e4"), std::nullopt);
}
