#include "tickcases.h"

#include "states.h"

#include <array>

namespace horaloom {

namespace {
using S = TickStep;
constexpr std::array idle{S::RefreshTime, S::RepeatAvailable};
constexpr std::array countingUp{S::RefreshTime, S::CountUp, S::TitleBar, S::RepeatAvailable};
// Counting down writes the title once before the step, with the old time, and once after.
constexpr std::array countingDown{S::TitleBar, S::RefreshTime, S::RepeatUnavailable, S::CountDown,
                                  S::TitleBar};

constexpr std::array<TickCase, 6> cases{{
    {TimerOff, CountingUp, idle},
    {TimerOn, CountingUp, countingUp},
    {TimerOff, CountingDown, idle},
    {TimerOn, CountingDown, countingDown},
    {TimerOff, NoMode, idle},
    {TimerOn, NoMode, idle},
}};
} // namespace

std::span<const TickCase> tickCases()
{
    return cases;
}

} // namespace horaloom
