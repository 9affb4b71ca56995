#pragma once
// The two text forms of a number that the tools write: rounded to 15
// significant digits, "." as the decimal point whatever the locale, trailing
// zeros dropped, no point for whole numbers, never an exponent (a coordinate
// column must stay readable at any magnitude).

#include <optional>
#include <string>
#include <string_view>

namespace plotmate {

// No digit before the point below 1: 0.5 -> ".5", -0.25 -> "-.25".
std::string plainForm(double value);
// A 0 before the point below 1: 0.5 -> "0.5". Fewer significant digits (1 to
// 15) give the shorter text of a less precise number, such as a float's 7.
std::string countingForm(double value, int significantDigits = 15);
// A whole text read as a number the way a worksheet takes typed text: optional
// surrounding blanks, sign, digits with "." and an exponent. Nothing else.
std::optional<double> parseNumberText(std::string_view text);

}  // namespace plotmate
