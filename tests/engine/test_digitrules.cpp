#include "digitrules.h"

#include <gtest/gtest.h>

TEST(DigitRules, TypedCharactersWithinTheBoxRangeBothBoundsIncluded)
{
    for (char32_t c = 0; c < 128; ++c) {
        const bool digit = c >= U'0' && c <= U'9';
        EXPECT_EQ(horaloom::acceptsCharacter(c, 9), digit) << int(c);
        EXPECT_EQ(horaloom::acceptsCharacter(c, 5), c >= U'0' && c <= U'5') << int(c);
    }
    // Digits of other scripts are not the box's digits.
    EXPECT_FALSE(horaloom::acceptsCharacter(0x0663, 9)); // Arabic-Indic three
    EXPECT_FALSE(horaloom::acceptsCharacter(0xFF13, 9)); // full-width three
}

TEST(DigitRules, OnlyASingleDigitInRangeIsCommitted)
{
    EXPECT_EQ(horaloom::committedDigit("0", 5), 0);
    EXPECT_EQ(horaloom::committedDigit("5", 5), 5);
    EXPECT_EQ(horaloom::committedDigit("9", 9), 9);
    for (const char* refused : {"", "7", "12", "1.5", "a", " 3", "-1", "99999999999", "\xd9\xa3"}) {
        EXPECT_FALSE(horaloom::committedDigit(refused, 5)) << refused;
    }
    EXPECT_EQ(horaloom::committedDigit("7", 9), 7);
}
