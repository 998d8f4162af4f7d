// The fixed 16-colour palette and the alarm's random pick from it.
#pragma once

#include <cstdint>

namespace horaloom {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

// Colour number 0..15 to its palette colour; numbers outside the range give black.
Rgb PaletteColor(int n);

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
