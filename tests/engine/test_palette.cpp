#include "palette.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

TEST(Palette, SixteenFixedColoursAndBlackOutsideTheRange)
{
    const horaloom::Rgb expected[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                        0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                        0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (int n = 0; n < 16; ++n) {
        EXPECT_EQ(horaloom::PaletteColor(n), expected[n]) << n;
    }
    EXPECT_EQ(horaloom::PaletteColor(-1), 0x000000u);
    EXPECT_EQ(horaloom::PaletteColor(16), 0x000000u);
}

TEST(RandomColour, RoundsHalvesToTheEvenNeighbour)
{
    struct Case {
        double r;
        int colour;
    };
    // r * 15 exactly on a half: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2, 14.5 -> 14.
    const Case cases[] = {{0.0, 0},       {0.5 / 15, 0},   {1.5 / 15, 2},  {2.5 / 15, 2},
                          {3.5 / 15, 4},  {14.5 / 15, 14}, {0.999999, 15}, {0.04, 1},
                          {7.49 / 15, 7}, {7.51 / 15, 8}};
    for (const Case& c : cases) {
        EXPECT_EQ(horaloom::randomColourNumber(c.r), c.colour) << "r = " << c.r;
    }
}

TEST(RandomColour, EndColoursHalfAsLikelyAndTheSequenceRepeatsEveryRun)
{
    horaloom::AlarmRandom random;
    horaloom::AlarmRandom again;
    std::array<int, 16> counts{};
    constexpr int draws = 150000;
    for (int i = 0; i < draws; ++i) {
        const double r = random.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        ASSERT_EQ(r, again.next());
        ++counts[static_cast<std::size_t>(horaloom::randomColourNumber(r))];
    }
    // Each inner colour has weight 1/15, each end colour 1/30.
    const double inner = draws / 15.0;
    for (int n = 1; n < 15; ++n) {
        EXPECT_NEAR(counts[static_cast<std::size_t>(n)], inner, inner * 0.05) << n;
    }
    EXPECT_NEAR(counts[0], inner / 2, inner * 0.05);
    EXPECT_NEAR(counts[15], inner / 2, inner * 0.05);
}
