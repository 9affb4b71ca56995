#include "sim/drawing/dxf_groups.h"

#include <charconv>
#include <cmath>

namespace plotmate::sim::dxf {

std::string decimal(long long n) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
  return std::string(digits, end);
}

std::unexpected<Error> lineError(std::size_t line, std::string_view message) {
  std::string text = "DXF line " + decimal(static_cast<long long>(line)) + ": ";
  text += message;
  return fail(hr::kFail, std::move(text));
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string shown(std::string_view s) {
  std::string out = "\"";
  for (char c : s.substr(0, 40)) out += (static_cast<unsigned char>(c) < 0x20) ? '?' : c;
  if (s.size() > 40) out += "...";
  return out + "\"";
}

Result<std::vector<Pair>> splitPairs(std::string_view content) {
  if (content.starts_with("AutoCAD Binary DXF")) {
    return fail(hr::kFail, "DXF: this is a binary DXF file; only ASCII DXF can be read");
  }
  if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
  std::vector<Pair> pairs;
  pairs.reserve(content.size() / 16);
  std::size_t pos = 0, line = 0;
  auto nextLine = [&](std::string_view& out) {
    if (pos >= content.size()) return false;
    std::size_t end = content.find('\n', pos);
    if (end == std::string_view::npos) end = content.size();
    out = content.substr(pos, end - pos);
    if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
    pos = end + 1;
    ++line;
    return true;
  };
  std::string_view codeLine, valueLine;
  while (nextLine(codeLine)) {
    const std::string_view digits = trim(codeLine);
    if (digits.empty() && pos >= content.size()) break;  // a blank last line
    int code = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
    if (digits.empty() || ec != std::errc{} || end != digits.data() + digits.size()) {
      return lineError(line, "a group code (a whole number) was expected, found " + shown(codeLine));
    }
    const std::size_t codeLineNumber = line;
    if (!nextLine(valueLine)) {
      return lineError(codeLineNumber, "group code " + std::string(digits) + " has no value: the file ends early");
    }
    pairs.push_back({code, valueLine, codeLineNumber});
    if (code == 0 && trim(valueLine) == "EOF") break;
  }
  return pairs;
}

Result<double> realOf(const Pair& p) {
  const std::string_view s = trim(p.value);
  double value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || ec != std::errc{} || end != s.data() + s.size() || !std::isfinite(value)) {
    return lineError(p.line, "group code " + decimal(p.code) + " needs a number, found " + shown(p.value));
  }
  return value;
}

Result<long long> integerOf(const Pair& p) {
  const std::string_view s = trim(p.value);
  long long value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (!s.empty() && ec == std::errc{} && end == s.data() + s.size()) return value;
  // Some programs write whole numbers as reals ("1.0").
  auto real = realOf(p);
  if (real && std::trunc(*real) == *real && std::abs(*real) < 9e15) return static_cast<long long>(*real);
  return lineError(p.line, "group code " + decimal(p.code) + " needs a whole number, found " + shown(p.value));
}

std::optional<std::uint64_t> handleValue(std::string_view text) {
  text = trim(text);
  std::uint64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

Result<bool> readPointGroup(const Pair& p, int base, Vec3& point) {
  if (p.code != base && p.code != base + 10 && p.code != base + 20) return false;
  PLOTMATE_TRY(v, realOf(p));
  (p.code == base ? point.x : p.code == base + 10 ? point.y : point.z) = *v;
  return true;
}

}  // namespace plotmate::sim::dxf
