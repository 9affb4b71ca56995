#include "shell/twips.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace plotmate {

int TwipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  const long long half = kTwipsPerInch / 2;
  const long long magnitude = (std::llabs(scaled) + half) / kTwipsPerInch;
  return static_cast<int>(scaled < 0 ? -magnitude : magnitude);
}

double PixelsToTwips(int pixels, int dpi) {
  return static_cast<double>(pixels) * kTwipsPerInch / dpi;
}

std::int16_t StoredTwips(double twips) {
  constexpr double kLowest = std::numeric_limits<std::int16_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int16_t>::max();
  if (std::isnan(twips)) return 0;
  // nearbyint rounds halves to even in the default rounding mode.
  return static_cast<std::int16_t>(std::clamp(std::nearbyint(twips), kLowest, kHighest));
}

}  // namespace plotmate
