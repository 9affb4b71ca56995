#include "sim/drawing/typed_input.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "format/number_text.h"
#include "sim/drawing/coords.h"

namespace plotmate::sim {

std::optional<double> parseTypedNumber(std::string_view text) {
  if (text.empty() || text.front() == ' ' || text.back() == ' ') return std::nullopt;
  auto value = parseNumberText(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

namespace {

std::optional<std::vector<double>> numbersSplitBy(std::string_view text, char separator) {
  std::vector<double> out;
  while (true) {
    auto cut = text.find(separator);
    auto number = parseTypedNumber(text.substr(0, cut));
    if (!number) return std::nullopt;
    out.push_back(*number);
    if (cut == std::string_view::npos) return out;
    text.remove_prefix(cut + 1);
  }
}

}  // namespace

std::optional<Vec3> parseTypedPoint(std::string_view text, const Ucs& ucs, Vec3 lastPointUcs) {
  bool world = !text.empty() && text.front() == '*';
  if (world) text.remove_prefix(1);
  bool relative = !text.empty() && text.front() == '@';
  if (relative) text.remove_prefix(1);
  if (relative && text.empty()) return lastPointUcs;

  Vec3 p;
  bool hasZ = false;
  if (text.find('<') != std::string_view::npos) {
    auto parts = numbersSplitBy(text, '<');
    if (!parts || parts->size() != 2) return std::nullopt;
    double radians = (*parts)[1] * std::numbers::pi / 180.0;
    p = {(*parts)[0] * std::cos(radians), (*parts)[0] * std::sin(radians), 0};
  } else {
    auto parts = numbersSplitBy(text, ',');
    if (!parts || parts->size() < 2 || parts->size() > 3) return std::nullopt;
    hasZ = parts->size() == 3;
    p = {(*parts)[0], (*parts)[1], hasZ ? (*parts)[2] : 0.0};
  }
  if (world) {
    // A world point (relative ones are world offsets) turned into the UCS.
    if (relative) {
      Vec3 lastWorld = toWorld(ucs, lastPointUcs, false);
      if (!hasZ) p.z = 0;
      return fromWorld(ucs, add(lastWorld, p), false);
    }
    return fromWorld(ucs, p, false);
  }
  if (relative) return Vec3{lastPointUcs.x + p.x, lastPointUcs.y + p.y, lastPointUcs.z + p.z};
  return p;
}

std::string unitsText(double value) {
  // Room for the widest finite double in fixed notation (sign, 309 digits,
  // the point and four decimals), so the conversion always succeeds.
  char buffer[std::numeric_limits<double>::max_exponent10 + 8];
  auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
  std::string text(buffer, r.ptr);
  return text == "-0.0000" ? "0.0000" : text;
}

}  // namespace plotmate::sim
