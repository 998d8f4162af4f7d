#include "tickcases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using horaloom::TickStep;

namespace {

std::vector<TickStep> stepsFor(int running, int mode)
{
    for (const auto& c : horaloom::tickCases()) {
        if (c.running == running && c.mode == mode) {
            return {c.steps.begin(), c.steps.end()};
        }
    }
    return {};
}

TEST(TickCases, SixCasesOneForEachStateInTheTestedOrder)
{
    const auto cases = horaloom::tickCases();
    ASSERT_EQ(cases.size(), 6u);
    const int expected[6][2] = {{0, 1}, {1, 1}, {0, 2}, {1, 2}, {0, 3}, {1, 3}};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(cases[i].running, expected[i][0]);
        EXPECT_EQ(cases[i].mode, expected[i][1]);
    }
}

TEST(TickCases, CountingUpStepsThenWritesTheTitle)
{
    EXPECT_EQ(stepsFor(1, 1), (std::vector{TickStep::RefreshTime, TickStep::CountUp,
                                           TickStep::TitleBar, TickStep::RepeatAvailable}));
}

TEST(TickCases, CountingDownWritesTheTitleAroundItsStepAndLocksRepeat)
{
    EXPECT_EQ(stepsFor(1, 2),
              (std::vector{TickStep::TitleBar, TickStep::RefreshTime, TickStep::RepeatUnavailable,
                           TickStep::CountDown, TickStep::TitleBar}));
}

TEST(TickCases, EveryOtherStateOnlyKeepsTheClockAndFreesRepeat)
{
    const std::vector idle{TickStep::RefreshTime, TickStep::RepeatAvailable};
    for (auto [running, mode] : {std::pair{0, 1}, {0, 2}, {0, 3}, {1, 3}}) {
        EXPECT_EQ(stepsFor(running, mode), idle) << running << "/" << mode;
    }
    // Nothing touches a title unless the timer runs in a mode.
    for (const auto& c : horaloom::tickCases()) {
        const bool writes =
            std::find(c.steps.begin(), c.steps.end(), TickStep::TitleBar) != c.steps.end();
        EXPECT_EQ(writes, c.running == 1 && c.mode != 3);
    }
}

} // namespace
