#include "timedigits.h"

#include <algorithm>

namespace horaloom {

bool stepUp(Digits& digits)
{
    // Every test is made whether or not a carry reached it; a digit within its limit can only
    // reach limit + 1, so comparing for equality is enough.
    ++digits[0];
    for (int i = 0; i < DigitCount - 1; ++i) {
        if (digits[i] == DigitLimit[i] + 1) {
            digits[i] = 0;
            ++digits[i + 1];
        }
    }
    if (digits[5] == 10) {
        digits[5] = 0;
        return true;
    }
    return false;
}

bool stepDown(Digits& digits)
{
    if (!allZero(digits)) {
        --digits[0];
        for (int i = 0; i < DigitCount - 1; ++i) {
            if (digits[i] == -1) {
                digits[i] = DigitLimit[i];
                --digits[i + 1];
            }
        }
    }
    return allZero(digits);
}

bool allZero(const Digits& digits)
{
    return std::all_of(digits.begin(), digits.end(), [](std::int16_t d) { return d == 0; });
}

std::string timeText(const Digits& d)
{
    // Every digit is 0..9 after a completed step.
    const auto c = [&d](int i) { return static_cast<char>('0' + d[static_cast<std::size_t>(i)]); };
    return {c(5), c(4), ':', c(3), c(2), ':', c(1), c(0)};
}

} // namespace horaloom
