// The digits' one-second steps, the alarm's colour pick and the characters a digit box takes.
#include "digitrules.h"
#include "palette.h"
#include "timedigits.h"

#include <gtest/gtest.h>

namespace horaloom {
namespace {

// "HH:MM:SS" to digits, index 0 the seconds units.
Digits parse(const std::string& t)
{
    const auto d = [&t](std::size_t i) { return static_cast<std::int16_t>(t[i] - '0'); };
    return {d(7), d(6), d(4), d(3), d(1), d(0)};
}

TEST(TimeDigits, StepsCarryAndBorrowThroughEveryDigit)
{
    // before, counting up, after, ended: at the 100-hour limit up, at zero down; the steps within
    // the minutes are walked in tests/presenter
    const std::tuple<const char*, bool, const char*, bool> cases[] = {
        {"00:59:59", true, "01:00:00", false},  {"09:59:59", true, "10:00:00", false},
        {"98:59:59", true, "99:00:00", false},  {"99:59:59", true, "00:00:00", true},
        {"01:00:00", false, "00:59:59", false}, {"10:00:00", false, "09:59:59", false},
        {"99:59:59", false, "99:59:58", false}, {"00:00:01", false, "00:00:00", true},
        {"00:00:00", false, "00:00:00", true}, // started at zero: ends, never below it
    };
    for (const auto& [before, up, after, ended] : cases) {
        Digits digits = parse(before);
        EXPECT_EQ(up ? stepUp(digits) : stepDown(digits), ended) << before;
        EXPECT_EQ(timeText(digits), after) << before;
    }
}

TEST(DigitRules, ABoxTakesOneDigitUpToItsHighest)
{
    for (char32_t c = 0; c < 128; ++c) {
        EXPECT_EQ(acceptsCharacter(c, 5), c >= U'0' && c <= U'5') << int(c);
        EXPECT_EQ(acceptsCharacter(c, 9), c >= U'0' && c <= U'9') << int(c);
    }
    EXPECT_FALSE(acceptsCharacter(0x0663, 9)); // an Arabic-Indic three
    EXPECT_EQ(committedDigit("5", 5), 5);
    EXPECT_EQ(committedDigit("7", 9), 7);
    for (const char* refused : {"", "7", "12", "a", " 3", "\xd9\xa3"}) {
        EXPECT_FALSE(committedDigit(refused, 5)) << refused;
    }
}

// r * 15 rounded with halves to even: each end colour comes half as often as the others.
TEST(Palette, RandomColourRoundsHalvesToEvenTheSameEveryRun)
{
    const std::pair<double, int> cases[] = {{0.5 / 15, 0},   {1.5 / 15, 2},  {2.5 / 15, 2},
                                            {14.5 / 15, 14}, {0.999999, 15}, {7.51 / 15, 8}};
    for (const auto& [r, colour] : cases) {
        EXPECT_EQ(randomColourNumber(r), colour) << r;
    }
    AlarmRandom random;
    std::array<int, 16> counts{};
    for (int i = 0; i < 150000; ++i) {
        const double r = random.next();
        ASSERT_TRUE(r >= 0 && r < 1) << r;
        ++counts[static_cast<std::size_t>(randomColourNumber(r))];
    }
    for (std::size_t n = 0; n < 16; ++n) {
        EXPECT_NEAR(counts[n], n == 0 || n == 15 ? 5000 : 10000, 500) << n;
    }
    EXPECT_EQ(AlarmRandom().next(), AlarmRandom().next());
}

} // namespace
} // namespace horaloom
