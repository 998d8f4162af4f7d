#include "palette.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

TEST(Palette, SixteenFixedColoursAndBlackOutsideTheRange)
{
    EXPECT_EQ(horaloom::PaletteColor(0), QColor(0, 0, 0));
    EXPECT_EQ(horaloom::PaletteColor(1), QColor(0, 0, 0x80));
    EXPECT_EQ(horaloom::PaletteColor(4), QColor(0x80, 0, 0));
    EXPECT_EQ(horaloom::PaletteColor(7), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(horaloom::PaletteColor(9), QColor(0, 0, 0xFF));
    EXPECT_EQ(horaloom::PaletteColor(12), QColor(0xFF, 0, 0));
    EXPECT_EQ(horaloom::PaletteColor(14), QColor(0xFF, 0xFF, 0));
    EXPECT_EQ(horaloom::PaletteColor(15), QColor(0xFF, 0xFF, 0xFF));
    std::set<QRgb> distinct;
    for (int n = 0; n < 16; ++n) {
        distinct.insert(horaloom::PaletteColor(n).rgb());
    }
    EXPECT_EQ(distinct.size(), 16u);
    EXPECT_EQ(horaloom::PaletteColor(-1), QColor(Qt::black));
    EXPECT_EQ(horaloom::PaletteColor(16), QColor(Qt::black));
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
