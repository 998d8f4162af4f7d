// Names for the values the timer's state variables hold. The variables stay 16-bit integers,
// as the settings file and the state table have them; a value outside the named ones (an edited
// settings file) passes through where the behaviour depends on it.
#pragma once

#include <cstdint>

namespace horaloom {

// CountMode: which way the timer counts.
inline constexpr std::int16_t CountingUp = 1;
inline constexpr std::int16_t CountingDown = 2;
inline constexpr std::int16_t NoMode = 3; // idle, stopped, the alarm, or the 100-hour limit

// TimerRunning: from Start Timer until the count stops.
inline constexpr std::int16_t TimerOff = 0;
inline constexpr std::int16_t TimerOn = 1;

// AlarmType: what a countdown that reaches zero sounds.
inline constexpr std::int16_t BeepAlarm = 0;
inline constexpr std::int16_t WaveAlarm = 1;

// The 0/1 flags of the Settings menu (RepeatCountdown, SavePosition).
inline constexpr std::int16_t FlagOff = 0;
inline constexpr std::int16_t FlagOn = 1;

} // namespace horaloom
