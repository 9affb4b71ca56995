#include "repeater/value_text.h"

#include <cmath>

#include "format/number_text.h"

namespace plotmate {

namespace {

std::string oneLine(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  return text;
}

}  // namespace

std::optional<std::string> commandValueText(const Variant& value) {
  if (value.isEmpty()) return std::string();
  if (auto text = value.getIf<std::string>()) return oneLine(*text);
  if (auto flag = value.getIf<bool>()) return std::string(*flag ? "TRUE" : "FALSE");
  if (auto number = asDouble(value)) {
    if (!std::isfinite(*number)) return std::nullopt;
    return countingForm(*number);
  }
  return std::nullopt;
}

}  // namespace plotmate
