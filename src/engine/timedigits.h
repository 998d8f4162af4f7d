// The six digits on show and their one-second steps with carry and borrow.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace horaloom {

// Index 0 seconds units, 1 seconds tens, 2 minutes units, 3 minutes tens, 4 hours units,
// 5 hours tens: the time on show from 00:00:00 to 99:59:59.
using Digits = std::array<std::int16_t, 6>;

inline constexpr int DigitCount = 6;

// The highest value each digit may hold.
inline constexpr std::array<std::int16_t, DigitCount> DigitLimit = {9, 5, 9, 5, 9, 9};

// One second up. Returns true at the 100-hour limit: one second past 99:59:59, which leaves
// every digit at 0.
bool stepUp(Digits& digits);

// One second down when any digit is above 0. Returns true when all digits are 0 afterwards
// (also when they were 0 already): the countdown has ended.
bool stepDown(Digits& digits);

bool allZero(const Digits& digits);

// HH:MM:SS from the digits.
std::string timeText(const Digits& digits);

} // namespace horaloom
