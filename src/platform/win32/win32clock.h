// The time of day in the system's time format, and where in its second the clock stands.
#pragma once

#include "clock.h"

#include <cstdint>
#include <string>

namespace horaloom {

class Win32Clock : public Clock {
public:
    Win32Clock();
    std::string timeOfDay() override;
    int millisecondsIntoSecond() override;

private:
    std::uint64_t m_second = 0; // the UTC second m_text was made in
    std::string m_text;
    // The user's time format; a fixed one with seconds when the user's has none, since the tick
    // counts by the change of this text.
    std::wstring m_format;
};

} // namespace horaloom
