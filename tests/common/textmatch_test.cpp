#include "common/textmatch.h"

#include <gtest/gtest.h>

using namespace keruna;

// Each pair that code page 932 text and typed Unicode text keep apart reads as one
// character, whichever side holds which; other characters stay apart.
TEST(TextMatch, CodePageTwinsReadAsOne)
{
    const char16_t pairs[][2] = {{u'〜', u'～'}, {u'−', u'－'}, {u'—', u'―'}, {u'‖', u'∥'},
        {u'¢', u'￠'}, {u'£', u'￡'}, {u'¬', u'￢'}};
    for (const auto& [typedChar, listChar] : pairs) {
        const QString typed = QStringLiteral("a") + QChar(typedChar) + QStringLiteral("b");
        const QString listed = QStringLiteral("a") + QChar(listChar) + QStringLiteral("b");
        SCOPED_TRACE(typed.toStdString());
        for (int twice = 0; twice < 2; ++twice) {
            EXPECT_TRUE(sameTypedText(typed, listed));
            EXPECT_TRUE(sameTypedText(listed, typed));
            EXPECT_TRUE(sameTypedText(typed, typed));
            EXPECT_TRUE(containsTypedText(QStringLiteral("x") + listed, typed, Qt::CaseSensitive));
            EXPECT_TRUE(containsTypedText(typed, QString(QChar(listChar)), Qt::CaseSensitive));
        }
        EXPECT_FALSE(sameTypedText(typed, QStringLiteral("a-b")));
        EXPECT_FALSE(sameTypedText(typed, QStringLiteral("ab")));
    }
    // Look-alikes outside the pairs stay what they are.
    const std::pair<const char*, const char*> apart[] = {
        {"~", "～"}, {"-", "－"}, {"-", "−"}, {"ー", "－"}, {"―", "－"}, {"A", "Ａ"}, {"a", "A"}};
    for (const auto& [a, b] : apart) {
        SCOPED_TRACE(a);
        EXPECT_FALSE(sameTypedText(QString::fromUtf8(a), QString::fromUtf8(b)));
        EXPECT_FALSE(
            containsTypedText(QString::fromUtf8(a), QString::fromUtf8(b), Qt::CaseSensitive));
    }
    EXPECT_TRUE(containsTypedText(
        QStringLiteral("Apple～"), QStringLiteral("apple〜"), Qt::CaseInsensitive));
    // Lengths never change: positions in the folded text are positions in the text.
    const QString mixed = QStringLiteral("〜−—‖¢£¬～－―∥￠￡￢x");
    EXPECT_EQ(foldCodePageTwins(mixed).size(), mixed.size());
}
