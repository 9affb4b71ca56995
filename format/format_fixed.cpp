#include "format/format_fixed.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "format/number_text.h"

namespace plotmate {

namespace {

// 10^n by repeated multiplication: exact up to 10^22, infinity past the range.
double powerOfTen(int n) {
  double power = 1;
  for (int i = 0; i < n && power != std::numeric_limits<double>::infinity(); ++i) power *= 10;
  return power;
}

// floor(v * 10^d + 0.5) / 10^d. From 2^52 on a double holds no fraction, so the
// scaled value has nothing left to round: the value already carries no digit
// past `decimals` places, and scaling back could only add noise (or overflow).
double roundHalfUp(double value, int decimals) {
  const double scale = powerOfTen(decimals);
  const double scaled = value * scale;
  if (!(std::fabs(scaled) < 0x1p52)) return value;
  return std::floor(scaled + 0.5) / scale;
}

struct Measure {
  int integerLength;   // characters before the point, sign included
  int fractionLength;  // digits after the point, -1 without a point
};

Measure measureCountingForm(double value) {
  const std::string text = countingForm(value);
  const auto point = text.find('.');
  if (point == std::string::npos) return {static_cast<int>(text.size()), -1};
  return {static_cast<int>(point), static_cast<int>(text.size() - point - 1)};
}

std::string notANumber(int width, int decimals) {
  const int field = std::max(width, 0) + 1 + decimals;
  const int length = static_cast<int>(kNotANumberText.size());
  return std::string(std::max(field - length, 0), ' ') + std::string(kNotANumberText);
}

}  // namespace

RoundedText FormatFixed(double value, std::int16_t width, std::int16_t decimals) {
  const int places = std::max<int>(decimals, 0);
  if (!std::isfinite(value)) return {value, notANumber(width, places)};

  const double rounded = roundHalfUp(value, places);
  const Measure measure = measureCountingForm(rounded);

  std::string text;
  if (measure.integerLength < width) text.assign(width - measure.integerLength, ' ');
  text += plainForm(rounded);
  if (measure.fractionLength < 0) {
    text += '.';
    text.append(places, '0');
  } else if (measure.fractionLength < places) {
    text.append(places - measure.fractionLength, '0');
  }
  return {rounded, std::move(text)};
}

std::string CellText(double value, std::int16_t decimals) {
  std::string text = FormatFixed(value, kFieldWidth, decimals).text;
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

}  // namespace plotmate
