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
  PLOTMATE_TRY(d, numberOf(v));
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
  if (v.is<DispatchPtr>()) return v;
  return std::unexpected(hr::kTypeMismatch);
}

bool isNothing(const Variant& v) {
  auto object = v.getIf<DispatchPtr>();
  return object && !*object;
}

// A by-value (or read-through) argument converted to the declared type.
// Nothing has no value to convert: a bad variable type for anything but an
// object (an object without one is a plain mismatch).
Converted convertInput(const Variant& arg, ArgType type) {
  const Variant v = readThrough(arg);
  if (isNothing(v) && type != ArgType::Object && type != ArgType::Variant)
    return std::unexpected(hr::kBadVarType);
  switch (type) {
    case ArgType::Variant:
      return v;
    case ArgType::Boolean: {
      PLOTMATE_TRY(d, numberOf(v));
      return Variant(*d != 0);
    }
    case ArgType::Short:
      return integerOf<std::int16_t>(v);
    case ArgType::Long:
    case ArgType::Enum:
      return integerOf<std::int32_t>(v);
    case ArgType::Double: {
      PLOTMATE_TRY(d, numberOf(v));
      return Variant(*d);
    }
    case ArgType::Text:
      return textOf(v);
    case ArgType::Object:
      return objectOf(v);
  }
  return std::unexpected(hr::kTypeMismatch);
}

bool isScalar(const Variant& v) {
  return v.is<bool>() || v.is<std::int16_t>() || v.is<std::int32_t>() || v.is<double>() ||
         v.is<std::string>();
}

// An output declared a Variant takes any reference and a by-value Empty or
// scalar (written into a temporary the caller never sees), not a by-value
// array, object or missing argument. Any other output takes only a reference
// of its exact type: a by-value scalar is a bad variable type, anything else
// a mismatch. (Wine's dispatcher also takes a by-value Empty or object for an
// object output and writes into a temporary; Windows refuses it.)
std::int32_t outputVerdict(const Param& param, const Variant& arg) {
  auto slot = arg.getIf<OutputSlot>();
  if (param.type == ArgType::Variant)
    return slot || arg.isEmpty() || isScalar(arg) ? 0 : hr::kTypeMismatch;
  if (slot) return param.type == ArgType::Object && slot->holds == OutputSlot::Holds::Object
                       ? 0
                       : hr::kTypeMismatch;
  return isScalar(arg) ? hr::kBadVarType : hr::kTypeMismatch;
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
  // Surplus arguments to a property read without parameters index its value,
  // as VB's `Caption(1)` does: only a collection can take them.
  if (kind == CallKind::Get && signature.property && params.empty() && !args.empty() &&
      signature.value != ArgType::Object)
    return std::unexpected(notACollectionError(member));
  if (!countFits(params, args.size())) return std::unexpected(argumentCountError(member));
  for (std::size_t i = 0; i < args.size(); ++i) {
    const Param& param = params[i];
    const auto position = static_cast<std::int32_t>(i);
    if (param.output) {
      if (auto code = outputVerdict(param, args[i]))
        return std::unexpected(argumentError(code, member, position));
      continue;
    }
    // A property's new value goes by value.
    if (kind == CallKind::Put && i + 1 == args.size() && args[i].isOutputSlot())
      return std::unexpected(argumentError(hr::kInvalidArg, member, position));
    auto converted = convertInput(args[i], param.type);
    if (!converted) return std::unexpected(argumentError(converted.error(), member, position));
    args[i] = std::move(*converted);
  }
  return {};
}

}  // namespace plotmate::sim
