// The tick's case table: what one tick does, by the timer's state, once the second has changed.
#pragma once

#include <cstdint>
#include <span>

namespace horaloom {

enum class TickStep {
    RefreshTime,       // the time of day into the clock box
    CountUp,           // one second up
    CountDown,         // one second down
    TitleBar,          // the title writer
    RepeatAvailable,   // the Repeat Countdown entry can be used
    RepeatUnavailable, // ... cannot, while a countdown runs
};

struct TickCase {
    std::int16_t running;
    std::int16_t mode;
    std::span<const TickStep> steps;
};

// The six cases in the order the tick tests them.
std::span<const TickCase> tickCases();

} // namespace horaloom
