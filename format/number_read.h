#pragma once
// Numbers read from what a drafter types: the longest leading part of the
// text that reads as a decimal number, the way a text box's contents are
// taken as a value. Nothing is ever refused: a text without a leading number
// reads as 0 ("2mm" reads 2, "abc" and "" read 0).

#include <cstdint>
#include <string_view>

namespace plotmate {

// Characters skipped wherever they stand ("1 0" reads 10).
inline constexpr std::string_view kBlank = " ";
inline constexpr std::string_view kBlankTabLineFeed = " \t\n";

// An optional sign, digits with "." as the decimal point, and an optional
// exponent ("1e3" and "1E+3" read 1000; "1e" reads 1). No radix prefixes
// ("&H10" reads 0) and no locale: "," always ends the number. Magnitudes past
// the double range read as an infinity with the number's sign, ones too small
// for it as 0.
double LeadingNumber(std::string_view text, std::string_view ignored = kBlank);

// The precision setting from its text box: the leading number (blanks, tabs and
// line feeds skipped), rounded to the nearest integer with halves to the even
// neighbour (4.5 -> 4, 5.5 -> 6), then held to -32768..32767 (99999 -> 32767,
// never wrapped around to a negative).
std::int16_t ReadPrecisionText(std::string_view text);

}  // namespace plotmate
