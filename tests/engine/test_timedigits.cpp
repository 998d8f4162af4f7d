#include "timedigits.h"

#include <gtest/gtest.h>

using horaloom::Digits;

namespace {

// "HH:MM:SS" to digits, index 0 the seconds units.
Digits parse(const char* hhmmss)
{
    const int h = (hhmmss[0] - '0') * 10 + (hhmmss[1] - '0');
    const int m = (hhmmss[3] - '0') * 10 + (hhmmss[4] - '0');
    const int s = (hhmmss[6] - '0') * 10 + (hhmmss[7] - '0');
    return {static_cast<std::int16_t>(s % 10), static_cast<std::int16_t>(s / 10),
            static_cast<std::int16_t>(m % 10), static_cast<std::int16_t>(m / 10),
            static_cast<std::int16_t>(h % 10), static_cast<std::int16_t>(h / 10)};
}

struct Step {
    const char* before;
    const char* after;
};

class CountUpCarries : public testing::TestWithParam<Step> {};

TEST_P(CountUpCarries, CarriesIntoEveryDigit)
{
    Digits digits = parse(GetParam().before);
    EXPECT_FALSE(horaloom::stepUp(digits));
    EXPECT_EQ(horaloom::timeText(digits), std::string(GetParam().after));
}

INSTANTIATE_TEST_SUITE_P(Table, CountUpCarries,
                         testing::Values(Step{"00:00:00", "00:00:01"}, Step{"00:00:09", "00:00:10"},
                                         Step{"00:00:59", "00:01:00"}, Step{"00:09:59", "00:10:00"},
                                         Step{"00:59:59", "01:00:00"}, Step{"09:59:59", "10:00:00"},
                                         Step{"98:59:59", "99:00:00"},
                                         Step{"12:34:56", "12:34:57"}));

class CountDownBorrows : public testing::TestWithParam<Step> {};

TEST_P(CountDownBorrows, BorrowsFromEveryDigit)
{
    Digits digits = parse(GetParam().before);
    EXPECT_FALSE(horaloom::stepDown(digits));
    EXPECT_EQ(horaloom::timeText(digits), std::string(GetParam().after));
}

INSTANTIATE_TEST_SUITE_P(Table, CountDownBorrows,
                         testing::Values(Step{"00:00:02", "00:00:01"}, Step{"00:00:10", "00:00:09"},
                                         Step{"00:01:00", "00:00:59"}, Step{"00:10:00", "00:09:59"},
                                         Step{"01:00:00", "00:59:59"}, Step{"10:00:00", "09:59:59"},
                                         Step{"99:59:59", "99:59:58"}));

TEST(CountUp, OneSecondPastTheLastShowableTimeIsTheHundredHourLimit)
{
    Digits digits = parse("99:59:59");
    EXPECT_TRUE(horaloom::stepUp(digits));
    EXPECT_EQ(horaloom::timeText(digits), std::string("00:00:00"));
}

TEST(CountDown, FromOneSecondEndsInTheSameStep)
{
    Digits digits = parse("00:00:01");
    EXPECT_TRUE(horaloom::stepDown(digits));
    EXPECT_EQ(horaloom::timeText(digits), std::string("00:00:00"));
}

TEST(CountDown, StartedAtZeroEndsAtTheFirstStepWithoutGoingNegative)
{
    Digits digits{};
    EXPECT_TRUE(horaloom::stepDown(digits));
    EXPECT_TRUE(horaloom::allZero(digits));
}

TEST(Counting, RoundTripOverAWholeHundredHoursKeepsEveryDigitInRangeAndTextEightLong)
{
    // Up through every second to the limit, then back down: nothing leaves its range, the
    // text always has the HH:MM:SS shape, and the count down takes as many steps as the count up.
    Digits digits{};
    int steps = 0;
    while (!horaloom::stepUp(digits)) {
        ++steps;
        for (std::size_t i = 0; i < digits.size(); ++i) {
            ASSERT_GE(digits[i], 0);
            ASSERT_LE(digits[i], horaloom::DigitLimit[i]);
        }
        const std::string text = horaloom::timeText(digits);
        ASSERT_EQ(text.size(), 8u);
        ASSERT_EQ(text[2], ':');
        ASSERT_EQ(text[5], ':');
    }
    EXPECT_EQ(steps, 100 * 3600 - 1);
    Digits top = parse("99:59:59");
    int down = 0;
    while (!horaloom::stepDown(top)) {
        ++down;
    }
    EXPECT_EQ(down + 1, steps);
}

} // namespace
