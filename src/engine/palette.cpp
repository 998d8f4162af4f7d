#include "palette.h"

#include <array>
#include <cmath>

namespace horaloom {

Rgb PaletteColor(int n)
{
    static constexpr std::array<Rgb, 16> colours = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    if (n < 0 || n > 15) {
        return 0x000000;
    }
    return colours[static_cast<std::size_t>(n)];
}

int randomColourNumber(double r)
{
    // nearbyint rounds to the nearest integer with ties to even under the default rounding mode.
    return static_cast<int>(std::nearbyint(r * 15.0));
}

double AlarmRandom::next()
{
    // A 24-bit linear congruential generator: uniform enough for picking colours.
    m_state = (m_state * 1140671485u + 12820163u) & 0xFFFFFFu;
    return static_cast<double>(m_state) / 16777216.0;
}

} // namespace horaloom
