#pragma once
// Writing DXF groups: code and value lines as AutoCAD writes them, the
// handles new records take, and the groups every entity starts with.

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "sim/drawing/dxf_text.h"
#include "sim/drawing/model.h"

namespace plotmate::sim::dxf {

// Shortest text that reads back to the same double, always with a decimal
// point or an exponent so that readers take it as a real.
inline std::string real(double value) {
  char digits[32];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  std::string text(digits, end);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

class GroupWriter {
 public:
  explicit GroupWriter(std::uint64_t firstHandle) : next_(firstHandle) {}

  void group(int code, std::string_view value) {
    char digits[12];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, code);
    const std::size_t width = static_cast<std::size_t>(end - digits);
    if (width < 3) body_.append(3 - width, ' ');  // codes right-aligned, as AutoCAD writes them
    body_.append(digits, end);
    body_ += '\n';
    body_.append(value);
    body_ += '\n';
  }
  void text(int code, std::string_view utf8) { group(code, encodeDxfText(utf8)); }
  void number(int code, double value) { group(code, real(value)); }
  void integer(int code, long long value) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    group(code, std::string_view(digits, static_cast<std::size_t>(end - digits)));
  }
  void point(int code, Vec3 p) {
    number(code, p.x);
    number(code + 10, p.y);
    number(code + 20, p.z);
  }
  void normal(Vec3 n) {
    if (!(n == Vec3{0, 0, 1})) point(210, n);
  }
  std::string handle() { return handleText(next_++); }
  std::uint64_t nextHandle() const { return next_; }
  // The groups every entity starts with; returns its handle.
  std::string entityStart(std::string_view type, std::string handleText, const std::string& owner,
                          std::string_view layer, std::string_view subclass) {
    group(0, type);
    group(5, handleText);
    group(330, owner);
    group(100, "AcDbEntity");
    text(8, layer);
    if (!subclass.empty()) group(100, subclass);
    return handleText;
  }
  void seqend(const std::string& owner, std::string_view layer) {
    entityStart("SEQEND", handle(), owner, layer, "");
  }
  // What has been written so far, leaving the writer empty.
  std::string take() { return std::exchange(body_, std::string()); }

  std::size_t regionsAsOutlines = 0;  // regions written as closed polylines

 private:
  std::uint64_t next_;
  std::string body_;
};

}  // namespace plotmate::sim::dxf
