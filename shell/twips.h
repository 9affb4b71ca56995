#pragma once
// Window sizes and positions are kept in twips (1440 to the inch) and laid
// out in pixels at the window's DPI.

#include <cstdint>

namespace plotmate {

inline constexpr int kTwipsPerInch = 1440;

// Pixels for a length in twips at `dpi`, to the nearest pixel (halves away
// from zero): 810 twips are 54 px at 96 DPI and 81 px at 144 DPI.
int TwipsToPixels(int twips, int dpi);

// Twips for a length in pixels at `dpi`, unrounded.
double PixelsToTwips(int pixels, int dpi);

// A position as the settings record holds it: whole twips, halves to the even
// neighbour, held to the 16-bit range. A window beyond it (a wide
// multi-monitor desktop) is stored at the nearest end of the range, so it
// comes back on the same side of the desktop instead of wrapping around.
std::int16_t StoredTwips(double twips);

}  // namespace plotmate
