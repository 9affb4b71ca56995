#include "sim/member_signature.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "format/number_text.h"

namespace plotmate::sim {

Param in(const char* name, ArgType type) { return Param{name, type}; }
Param inEnum(const char* name, const char* enumName) {
  return Param{name, ArgType::Enum, false, false, enumName};
}
Param out(const char* name, ArgType type) { return Param{name, type, true}; }
Param optional(const char* name) { return Param{name, ArgType::Variant, false, true}; }

MemberSignature method(std::vector<Param> params, std::optional<ArgType> result) {
  return MemberSignature{true, false, std::move(params), result};
}

MemberSignature property(ArgType type, std::vector<Param> params) {
  return MemberSignature{true, true, std::move(params), type};
}

namespace {

// Conversion failures before the argument's position is known.
using Converted = std::expected<Variant, std::int32_t>;

// A by-reference input is read through, as VariantChangeType does.
Variant readThrough(const Variant& arg) {
  if (auto slot = arg.getIf<OutputSlot>())
    return slot->holds == OutputSlot::Holds::Object ? Variant(DispatchPtr{}) : Variant();
  return arg;
}

std::optional<double> parsedNumber(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  std::size_t last = text.find_last_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  if (*begin == '+') ++begin;
  double value = 0;
  auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// A number as VariantChangeType finds one: Empty is 0, a boolean -1 or 0, a
// text is parsed; objects, arrays, errors and missing arguments are not numbers.
std::expected<double, std::int32_t> numberOf(const Variant& v) {
  if (v.isEmpty()) return 0.0;
  if (auto d = asDouble(v)) return *d;
  if (auto s = v.getIf<std::string>()) {
    if (auto d = parsedNumber(*s)) return *d;
  }
  return std::unexpected(hr::kTypeMismatch);
}

// Whole numbers round half to even; beyond the type's range is an overflow.
template <class Int>
Converted integerOf(const Variant& v) {
  auto d = numberOf(v);
  if (!d) return std::unexpected(d.error());
  const double r = std::nearbyint(*d);
  if (!(r >= std::numeric_limits<Int>::min() && r <= std::numeric_limits<Int>::max()))
    return std::unexpected(hr::kOverflow);
  return Variant(static_cast<Int>(r));
}

Converted textOf(const Variant& v) {
  if (v.isEmpty()) return Variant(std::string());
  if (auto s = v.getIf<std::string>()) return Variant(*s);
  if (auto b = v.getIf<bool>()) return Variant(*b ? "True" : "False");
  if (auto d = asDouble(v)) return Variant(countingForm(*d));
  return std::unexpected(hr::kTypeMismatch);
}

Converted objectOf(const Variant& v) {
  if (v.isEmpty()) return Variant(DispatchPtr{});
  if (v.is<DispatchPtr>()) return v;
  return std::unexpected(hr::kTypeMismatch);
}

// A by-value (or read-through) argument converted to the declared type.
Converted convertInput(const Variant& arg, ArgType type) {
  const Variant v = readThrough(arg);
  switch (type) {
    case ArgType::Variant:
      return v;
    case ArgType::Boolean: {
      auto d = numberOf(v);
      if (!d) return std::unexpected(d.error());
      return Variant(*d != 0);
    }
    case ArgType::Short:
      return integerOf<std::int16_t>(v);
    case ArgType::Long:
    case ArgType::Enum:
      return integerOf<std::int32_t>(v);
    case ArgType::Double: {
      auto d = numberOf(v);
      if (!d) return std::unexpected(d.error());
      return Variant(*d);
    }
    case ArgType::Text:
      return textOf(v);
    case ArgType::Object:
      return objectOf(v);
  }
  return std::unexpected(hr::kTypeMismatch);
}

// An output takes any form when declared a Variant; otherwise only a
// reference of its exact type. (Wine's dispatcher also takes a by-value
// argument there and writes into a temporary; Windows refuses it.)
bool outputAccepts(const Param& param, const Variant& arg) {
  if (param.type == ArgType::Variant) return true;
  auto slot = arg.getIf<OutputSlot>();
  return slot && param.type == ArgType::Object && slot->holds == OutputSlot::Holds::Object;
}

std::vector<Param> declaredArguments(const MemberSignature& signature, CallKind kind) {
  std::vector<Param> params = signature.params;
  if (kind == CallKind::Put && signature.value) params.push_back(in("Value", *signature.value));
  return params;
}

bool countFits(const std::vector<Param>& params, std::size_t given) {
  if (given > params.size()) return false;
  for (std::size_t i = given; i < params.size(); ++i)
    if (!params[i].optional) return false;
  return true;
}

}  // namespace

Result<void> checkArguments(std::string_view member, const MemberSignature& signature,
                            CallKind kind, std::span<Variant> args) {
  const std::vector<Param> params = declaredArguments(signature, kind);
  if (!countFits(params, args.size())) return std::unexpected(argumentCountError(member));
  for (std::size_t i = 0; i < args.size(); ++i) {
    const Param& param = params[i];
    const auto position = static_cast<std::int32_t>(i);
    if (param.output) {
      if (!outputAccepts(param, args[i]))
        return std::unexpected(argumentError(hr::kTypeMismatch, member, position));
      continue;
    }
    auto converted = convertInput(args[i], param.type);
    if (!converted) return std::unexpected(argumentError(converted.error(), member, position));
    args[i] = std::move(*converted);
  }
  return {};
}

}  // namespace plotmate::sim
