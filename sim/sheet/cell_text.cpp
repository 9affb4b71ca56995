#include "sim/sheet/cell_text.h"

#include <array>
#include <charconv>
#include <utility>

#include "format/number_text.h"
#include "hosts/dispatch.h"
#include "hosts/excel_codes.h"

namespace plotmate::sim {

namespace {

constexpr std::array<std::pair<std::int32_t, const char*>, 7> kErrorNames{{
    {xl::kErrNull, "#NULL!"},
    {xl::kErrDiv0, "#DIV/0!"},
    {xl::kErrValue, "#VALUE!"},
    {xl::kErrRef, "#REF!"},
    {xl::kErrName, "#NAME?"},
    {xl::kErrNum, "#NUM!"},
    {xl::kErrNA, "#N/A"},
}};

std::string shortestNumber(double d) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, d);
  return std::string(buf, r.ptr);
}

}  // namespace

std::optional<std::string> errorName(std::int32_t code) {
  for (const auto& [c, name] : kErrorNames)
    if (c == code) return name;
  return std::nullopt;
}

std::optional<std::int32_t> errorCode(std::string_view name) {
  for (const auto& [c, n] : kErrorNames)
    if (equalsNoCase(n, name)) return c;
  return std::nullopt;
}

Variant enteredValue(std::string_view text) {
  if (text.empty()) return Empty{};
  if (text.front() == '\'') return std::string(text.substr(1));
  if (auto d = parseNumberText(text)) return *d == 0 ? 0.0 : *d;  // no negative zero in a cell
  if (equalsNoCase(text, "TRUE")) return true;
  if (equalsNoCase(text, "FALSE")) return false;
  if (auto code = errorCode(text)) return CellError{*code};
  return std::string(text);
}

std::string reenterableText(const Variant& value) {
  if (auto d = value.getIf<double>()) return shortestNumber(*d);
  if (auto b = value.getIf<bool>()) return *b ? "TRUE" : "FALSE";
  if (auto e = value.getIf<CellError>()) return errorName(e->code).value_or("#N/A");
  if (auto s = value.getIf<std::string>()) {
    if (enteredValue(*s) == value) return *s;
    return "'" + *s;
  }
  return {};
}

}  // namespace plotmate::sim
