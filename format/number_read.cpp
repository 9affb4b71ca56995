#include "format/number_read.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace plotmate {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view digitsAt(std::string_view text, std::size_t& at) {
  const std::size_t start = at;
  while (at < text.size() && isDigit(text[at])) ++at;
  return text.substr(start, at - start);
}

// The power of ten of the first significant digit: tells a number too large
// for a double from one too small when the conversion reports it out of range.
long orderOfMagnitude(std::string_view integer, std::string_view fraction, long exponent) {
  const auto first = integer.find_first_not_of('0');
  if (first != std::string_view::npos)
    return static_cast<long>(integer.size() - first) - 1 + exponent;
  return -static_cast<long>(fraction.find_first_not_of('0')) - 1 + exponent;
}

}  // namespace

double LeadingNumber(std::string_view text, std::string_view ignored) {
  std::string kept;
  for (char c : text)
    if (ignored.find(c) == std::string_view::npos) kept += c;
  const std::string_view s = kept;

  std::size_t at = 0;
  const bool negative = !s.empty() && s[0] == '-';
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) ++at;
  const std::size_t start = at;  // from_chars takes no "+"; the sign is applied below

  const std::string_view integer = digitsAt(s, at);
  std::string_view fraction;
  if (at < s.size() && s[at] == '.') fraction = digitsAt(s, ++at);
  if (integer.empty() && fraction.empty()) return 0;

  long exponent = 0;
  if (at < s.size() && (s[at] == 'e' || s[at] == 'E')) {
    std::size_t next = at + 1;
    const bool exponentNegative = next < s.size() && s[next] == '-';
    if (next < s.size() && (s[next] == '-' || s[next] == '+')) ++next;
    const std::string_view digits = digitsAt(s, next);
    if (!digits.empty()) {  // "1e" and "1e+" stop before the "e"
      for (char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 1'000'000L);
      if (exponentNegative) exponent = -exponent;
      at = next;
    }
  }

  double value = 0;
  const auto read = std::from_chars(s.data() + start, s.data() + at, value);
  if (read.ec == std::errc::result_out_of_range)
    value = orderOfMagnitude(integer, fraction, exponent) > 0
                ? std::numeric_limits<double>::infinity()
                : 0.0;
  return negative ? -value : value;
}

std::int16_t ReadPrecisionText(std::string_view text) {
  const double number = LeadingNumber(text, kBlankTabLineFeed);
  double whole = std::floor(number);
  const double rest = number - whole;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
  constexpr double kLowest = std::numeric_limits<std::int16_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(std::clamp(whole, kLowest, kHighest));
}

}  // namespace plotmate
