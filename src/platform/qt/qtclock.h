// The local time of day, in the user's time format with seconds.
#pragma once

#include "clock.h"

#include <QString>

namespace horaloom {

class QtClock : public Clock {
public:
    QtClock();
    std::string timeOfDay() override;
    int millisecondsIntoSecond() override;

private:
    QString m_format;
    // The text is made once per second of the wall clock; a tick may ask for it twice.
    qint64 m_second = -1;
    std::string m_text;
};

} // namespace horaloom
