#include "format/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace plotmate {

namespace {

// Decimal digits (no trailing zeros) and the power of ten of the first digit.
struct Digits {
  bool negative = false;
  std::string digits;  // empty for zero
  int exponent = 0;
};

Digits significantDigits(double value, int count) {
  Digits out;
  if (value == 0 || !std::isfinite(value)) return out;
  out.negative = value < 0;
  const int kept = std::clamp(count, 1, 15);
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, kept - 1);
  // Near the top of the range, rounding up can pass the largest double (whose
  // 15 digits are 1.79769313486232e308), and no reader could take the text
  // back: the digits are then cut instead of rounded.
  if (double back; std::from_chars(buf, r.ptr, back).ec == std::errc::result_out_of_range)
    r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 16);
  std::string_view text(buf, r.ptr);
  auto e = text.find('e');
  for (char c : text.substr(0, e))
    if (c != '.' && static_cast<int>(out.digits.size()) < kept) out.digits += c;
  out.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  while (!out.digits.empty() && out.digits.back() == '0') out.digits.pop_back();
  return out;
}

std::string render(double value, bool zeroBeforePoint, int significant) {
  Digits d = significantDigits(value, significant);
  if (d.digits.empty()) return "0";
  std::string integer, fraction;
  int count = static_cast<int>(d.digits.size());
  if (d.exponent >= 0) {
    int wholeDigits = d.exponent + 1;
    if (count <= wholeDigits) {
      integer = d.digits + std::string(wholeDigits - count, '0');
    } else {
      integer = d.digits.substr(0, wholeDigits);
      fraction = d.digits.substr(wholeDigits);
    }
  } else {
    fraction = std::string(-d.exponent - 1, '0') + d.digits;
  }
  std::string out = d.negative ? "-" : "";
  if (integer.empty() && zeroBeforePoint) integer = "0";
  out += integer;
  if (!fraction.empty()) out += "." + fraction;
  return out;
}

}  // namespace

std::string plainForm(double value) { return render(value, false, 15); }

std::string countingForm(double value, int significantDigits) {
  return render(value, true, significantDigits);
}

std::optional<double> parseNumberText(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // from_chars takes no sign of its own here and no "inf"/"nan" words.
  if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) ||
                        text.front() == '.'))
    return std::nullopt;
  double value = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  return negative ? -value : value;
}

}  // namespace plotmate
