#pragma once
// FormatFixed: the text every tool writes for a coordinate, distance or area.
// Rounded to a number of decimals, the integer part right-aligned in a field of
// blanks and the decimals padded with zeros, so that numbers written one under
// another line up on the decimal point.

#include <cstdint>
#include <string>
#include <string_view>

namespace plotmate {

// The field width every caller passes: characters before the point, sign included.
inline constexpr std::int16_t kFieldWidth = 5;

// Written instead of a number for NaN and infinities: a spreadsheet shows it as
// its own error value, and it can never be mistaken for a measurement.
inline constexpr std::string_view kNotANumberText = "#NUM!";

// A number rounded for writing, and the text written for it.
struct RoundedText {
  double rounded;
  std::string text;
};

// Rounds `value` to `decimals` places, halves upward (2.25 -> 2.3, -2.25 -> -2.2),
// and returns the rounded number with its text: blanks in
// front up to `width` characters before the point (the 0 of a value below 1
// takes a place it does not show: 0.5 -> "    .500"), the point always, and
// zeros up to `decimals` digits after it. A negative `decimals` counts as 0.
// Integer parts wider than `width` are never cut, and no magnitude is written
// with an exponent. A non-finite value is left as it is and written as
// kNotANumberText, right-aligned in the field a number would take.
RoundedText FormatFixed(double value, std::int16_t width, std::int16_t decimals);

// A number as the tools write it into a cell or a drawing text: the FormatFixed
// text (width kFieldWidth) without its leading blanks.
std::string CellText(double value, std::int16_t decimals);

}  // namespace plotmate
