#pragma once
// Argument checks for stand-in members: the same coercions a late-bound call
// gets from the real hosts (numbers from any numeric kind, texts from numbers).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "hosts/variant.h"

namespace plotmate::sim {

// True when argument i was passed and is not an omitted optional.
bool hasArg(std::span<const Variant> args, std::size_t i);
Result<void> expectArgs(std::span<const Variant> args, std::size_t least, std::size_t most);
Result<double> argDouble(std::span<const Variant> args, std::size_t i);
// Rounds as VB's CLng does: halves to even.
Result<std::int32_t> argInt(std::span<const Variant> args, std::size_t i);
Result<std::string> argText(std::span<const Variant> args, std::size_t i);
Result<bool> argBool(std::span<const Variant> args, std::size_t i);
Result<DispatchPtr> argObject(std::span<const Variant> args, std::size_t i);

}  // namespace plotmate::sim
