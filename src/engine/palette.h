// The fixed 16-colour palette and the alarm's random pick from it.
#pragma once

#include <QColor>
#include <cstdint>

namespace horaloom {

// Colour number 0..15 to its palette colour; numbers outside the range give black.
QColor PaletteColor(int n);

// r in [0, 1) times 15, rounded to the nearest integer with halves to the even neighbour.
int randomColourNumber(double r);

// A uniform pseudo-random generator in [0, 1), deliberately not seeded from the clock:
// the same sequence every run, as the flashing has always been.
class AlarmRandom {
public:
    double next();

private:
    std::uint32_t m_state = 0x50000;
};

} // namespace horaloom
