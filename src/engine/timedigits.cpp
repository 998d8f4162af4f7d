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

QString timeText(const Digits& d)
{
    return QString::number(d[5]) + QString::number(d[4]) + u':' + QString::number(d[3]) +
           QString::number(d[2]) + u':' + QString::number(d[1]) + QString::number(d[0]);
}

} // namespace horaloom
