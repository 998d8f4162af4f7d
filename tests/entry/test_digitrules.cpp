#include "digitrules.h"

#include <gtest/gtest.h>

TEST(DigitRules, TypedCharactersWithinTheBoxRangeBothBoundsIncluded)
{
    for (char16_t c = 0; c < 128; ++c) {
        const bool digit = c >= u'0' && c <= u'9';
        EXPECT_EQ(horaloom::acceptsCharacter(QChar(c), 9), digit) << int(c);
        EXPECT_EQ(horaloom::acceptsCharacter(QChar(c), 5), c >= u'0' && c <= u'5') << int(c);
    }
    // Digits of other scripts are not the box's digits.
    EXPECT_FALSE(horaloom::acceptsCharacter(QChar(0x0663), 9)); // Arabic-Indic three
    EXPECT_FALSE(horaloom::acceptsCharacter(QChar(0xFF13), 9)); // full-width three
}

TEST(DigitRules, OnlyASingleDigitInRangeIsCommitted)
{
    EXPECT_EQ(horaloom::committedDigit(QStringLiteral("0"), 5), 0);
    EXPECT_EQ(horaloom::committedDigit(QStringLiteral("5"), 5), 5);
    EXPECT_EQ(horaloom::committedDigit(QStringLiteral("9"), 9), 9);
    for (const char* refused : {"", "7", "12", "1.5", "a", " 3", "-1", "99999999999"}) {
        EXPECT_FALSE(horaloom::committedDigit(QString::fromLatin1(refused), 5)) << refused;
    }
    EXPECT_EQ(horaloom::committedDigit(QStringLiteral("7"), 9), 7);
}
