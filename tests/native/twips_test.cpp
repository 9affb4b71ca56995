#include "shell/twips.h"

#include <gtest/gtest.h>

namespace plotmate {
namespace {

TEST(TwipsToPixels, RoundsToTheNearestPixel) {
  struct Case { int twips, dpi, pixels; };
  const Case cases[] = {
      {810, 96, 54},   {810, 144, 81},  {2064, 96, 138},   // 137.6
      {672, 96, 45},   {165, 96, 11},   {1212, 120, 101},  // 101.0
      {7, 96, 0},      {8, 96, 1},      {-8, 96, -1},      // halves away from zero
      {-7, 96, 0},     {0, 144, 0},     {32767, 192, 4369},
      {1440, 96, 96},  {-1440, 144, -144},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
}

TEST(StoredTwips, RoundsHalvesToEvenAndHoldsTo16Bits) {
  struct Case { double twips; int stored; };
  const Case cases[] = {
      {1500.0, 1500},  {1500.5, 1500},   {1501.5, 1502},   {-1500.5, -1500},
      {-1501.5, -1502}, {1500.4, 1500},  {1500.6, 1501},   {32767.4, 32767},
      {32767.5, 32767}, {40000, 32767},  {-32768.5, -32768}, {-40000, -32768},
      {1e300, 32767},  {-1e300, -32768},
  };
  for (const auto& c : cases) EXPECT_EQ(StoredTwips(c.twips), c.stored) << c.twips;
}

TEST(PixelsToTwips, ComesBackToTheSameStoredTwips) {
  // A window placed from stored twips and measured again in pixels stores the
  // same twips whenever the twips are a whole number of pixels.
  for (int dpi : {96, 120, 144, 192})
    for (int pixels : {0, 1, 100, -100, 2184})
      EXPECT_EQ(TwipsToPixels(StoredTwips(PixelsToTwips(pixels, dpi)), dpi), pixels)
          << pixels << " px at " << dpi;
}

}  // namespace
}  // namespace plotmate
