#include "convert/feet_inch.h"

#include <cmath>
#include <limits>

#include "format/number_read.h"
#include "format/number_text.h"

namespace plotmate {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr int kSinglePrecisionDigits = 7;

bool contains(std::string_view text, char c) {
  return text.find(c) != std::string_view::npos;
}

std::string_view trimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "N/D" with something after the slash; "1/" is still being typed.
bool isCompleteFraction(std::string_view text) {
  const auto slash = text.find('/');
  return slash != std::string_view::npos && slash + 1 < text.size();
}

// N/D of a complete fraction; nothing when D reads as 0.
std::optional<double> fractionValue(std::string_view text) {
  const double denominator = LeadingNumber(SplitPart(text, "/", true));
  if (denominator == 0) return std::nullopt;
  return LeadingNumber(SplitPart(text, "/", false)) / denominator;
}

// One part, feet or inches: "6", "1/2" or "6 1/2". A negative whole number
// takes its fraction along: "-6 1/2" is -6.5.
std::optional<double> partValue(std::string_view text) {
  const std::string_view part = trimBlanks(text);
  if (contains(part, ' ')) {
    const double whole = LeadingNumber(SplitPart(part, " ", false));
    const std::string rest = SplitPart(part, " ", true);
    if (!isCompleteFraction(rest)) return whole;
    const auto fraction = fractionValue(rest);
    if (!fraction) return std::nullopt;
    return std::signbit(whole) ? whole - *fraction : whole + *fraction;
  }
  if (isCompleteFraction(part)) return fractionValue(part);
  return LeadingNumber(part);
}

}  // namespace

std::string SplitPart(std::string_view text, std::string_view separator, bool after) {
  const auto at = text.find(separator);
  if (at == std::string_view::npos) return after ? std::string() : std::string(text);
  return std::string(after ? text.substr(at + separator.size()) : text.substr(0, at));
}

std::optional<double> FeetInchToMillimetres(std::string_view text) {
  if (!contains(text, '.')) return 0.0;
  const auto feet = partValue(SplitPart(text, ".", false));
  const auto inches = partValue(SplitPart(text, ".", true));
  if (!feet || !inches) return std::nullopt;
  return (*feet * 12 + *inches) * kMillimetresPerInch;
}

std::string MillimetreText(double millimetres) {
  // Checked before narrowing: a double outside the float range has no float value.
  if (!(std::fabs(millimetres) <= std::numeric_limits<float>::max()))
    return std::string(kTooLargeText);
  return countingForm(static_cast<float>(millimetres), kSinglePrecisionDigits);
}

std::string FeetInchResultText(std::string_view text) {
  const auto millimetres = FeetInchToMillimetres(text);
  if (!millimetres) return std::string(kZeroDenominatorText);
  return MillimetreText(*millimetres);
}

}  // namespace plotmate
