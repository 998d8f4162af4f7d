// Positions and sizes come in twips: 15 twips per device-independent pixel (96 dpi).
#pragma once

#include <QRect>
#include <cmath>

namespace horaloom {

inline constexpr double TwipsPerPixel = 15.0;

inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline double pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace horaloom
