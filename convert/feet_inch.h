#pragma once
// The feet-inch converter's arithmetic: a length typed as feet and inches,
// separated by a point ("5.6" is 5 feet 6 inches), becomes millimetres. Either
// part may be a fraction ("1/2"), or a whole number, a blank and a fraction
// ("6 1/2"); further points belong to the inches ("5.6.5" is 6.5 inches).

#include <optional>
#include <string>
#include <string_view>

namespace plotmate {

// Shown instead of a length when a fraction's denominator reads as 0 ("1/0").
inline constexpr std::string_view kZeroDenominatorText = "除数为零";
// Shown when the length does not fit a single-precision number (about 3.4e38 mm).
inline constexpr std::string_view kTooLargeText = "数值太大";

// The characters after the first `separator` in `text` when `after` is true,
// otherwise those before it. Without a separator: all of `text` before, nothing after.
std::string SplitPart(std::string_view text, std::string_view separator, bool after);

// The length in millimetres, in double precision; nothing when a fraction's
// denominator is zero. A text without a point is 0. Each part reads its
// leading number and ignores blanks at its ends; a blank inside a part ends
// the whole number unless a fraction with a denominator follows ("1.2 5" is 2
// inches, "1.2 1/" too), and a lone trailing slash is no fraction ("1/" is 1).
// A minus sign belongs to the part it stands in, including that part's
// fraction ("-1 1/2.0" is minus one and a half feet).
std::optional<double> FeetInchToMillimetres(std::string_view text);

// A length as the converter shows it: rounded to single precision and written
// with at most 7 significant digits, a 0 before the point below 1, no point for
// whole values and never an exponent (12345678 shows as 12345680).
std::string MillimetreText(double millimetres);

// What the result box shows for the typed text.
std::string FeetInchResultText(std::string_view text);

}  // namespace plotmate
