// The local time of day, in the user's time format with seconds.
#pragma once

#include "clock.h"

namespace horaloom {

class QtClock : public Clock {
public:
    QtClock();
    QString timeOfDay() override;
    int millisecondsIntoSecond() override;

private:
    QString m_format;
};

} // namespace horaloom
