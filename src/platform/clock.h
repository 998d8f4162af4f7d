// The time of day as text; the tick recognises a new second by a change of this text.
#pragma once

#include <string>

namespace horaloom {

class Clock {
public:
    virtual ~Clock() = default;
    // Local time of day with hours, minutes and seconds, in the locale's format (UTF-8).
    virtual std::string timeOfDay() = 0;
    // Milliseconds into the current wall-clock second (0..999), to phase the tick after it.
    virtual int millisecondsIntoSecond() = 0;
};

} // namespace horaloom
