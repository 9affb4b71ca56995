#pragma once
// A stand-in member's parameters as the host's automation reference declares
// them, and the check a type-library-driven IDispatch (ITypeInfo::Invoke)
// makes of a call's arguments before the member runs: the count, then each
// argument converted to its declared type as VariantChangeType would, an
// output parameter taken only by reference in its exact type (any form for a
// Variant). A refused call never reaches the member.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "hosts/dispatch.h"

namespace plotmate::sim {

// The automation types the drawing host's members use. Enum is a 32-bit
// enumeration (AcExtendOption, ...); Object is IDispatch*.
enum class ArgType : std::uint8_t { Boolean, Short, Long, Double, Text, Object, Variant, Enum };

struct Param {
  const char* name = "";
  ArgType type = ArgType::Variant;
  bool output = false;    // [out]: only by reference
  bool optional = false;  // [optional] (always a Variant)
  const char* enumName = nullptr;
};

Param in(const char* name, ArgType type);
Param inEnum(const char* name, const char* enumName);
Param out(const char* name, ArgType type);
Param optional(const char* name);

struct MemberSignature {
  bool declared = false;
  // A property's get takes `params` and answers `value`; its put takes
  // `params` and then the new value. A method takes `params` and answers
  // `value` (nothing when empty).
  bool property = false;
  std::vector<Param> params;
  std::optional<ArgType> value;
};

MemberSignature method(std::vector<Param> params = {}, std::optional<ArgType> result = {});
MemberSignature property(ArgType type, std::vector<Param> params = {});

// Checks `args` against the signature for a call of `kind` and converts each
// argument in place to its declared type. Fails with the code the host's
// dispatcher answers (bad parameter count, type mismatch, overflow) and the
// refused argument's position.
Result<void> checkArguments(std::string_view member, const MemberSignature& signature,
                            CallKind kind, std::span<Variant> args);

}  // namespace plotmate::sim
