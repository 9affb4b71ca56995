#include "sim/args.h"

#include <cmath>
#include <limits>

#include "format/number_text.h"

namespace plotmate::sim {

namespace {

Result<const Variant*> argAt(std::span<const Variant> args, std::size_t i) {
  if (!hasArg(args, i)) return fail(hr::kBadParamCount, "Invalid number of parameters");
  return &args[i];
}

Error mismatch() { return Error{hr::kTypeMismatch, "Type mismatch"}; }

}  // namespace

bool hasArg(std::span<const Variant> args, std::size_t i) {
  return i < args.size() && !args[i].isMissing();
}

Result<void> expectArgs(std::span<const Variant> args, std::size_t least, std::size_t most) {
  if (args.size() < least || args.size() > most)
    return fail(hr::kBadParamCount, "Invalid number of parameters");
  return {};
}

Result<double> argDouble(std::span<const Variant> args, std::size_t i) {
  PLOTMATE_TRY(a, argAt(args, i));
  if (auto d = asDouble(**a)) return *d;
  if (auto s = (*a)->getIf<std::string>()) {
    if (auto d = parseNumberText(*s)) return *d;
  }
  return std::unexpected(mismatch());
}

Result<std::int32_t> argInt(std::span<const Variant> args, std::size_t i) {
  PLOTMATE_TRY(d, argDouble(args, i));
  double r = std::nearbyint(*d);
  if (!(r >= std::numeric_limits<std::int32_t>::min() &&
        r <= std::numeric_limits<std::int32_t>::max()))
    return fail(hr::kTypeMismatch, "Overflow");
  return static_cast<std::int32_t>(r);
}

Result<std::string> argText(std::span<const Variant> args, std::size_t i) {
  PLOTMATE_TRY(a, argAt(args, i));
  if (auto s = (*a)->getIf<std::string>()) return *s;
  if (auto d = asDouble(**a)) return countingForm(*d);
  if ((*a)->isEmpty()) return std::string();
  return std::unexpected(mismatch());
}

Result<bool> argBool(std::span<const Variant> args, std::size_t i) {
  PLOTMATE_TRY(d, argDouble(args, i));
  return *d != 0;
}

Result<DispatchPtr> argObject(std::span<const Variant> args, std::size_t i) {
  PLOTMATE_TRY(a, argAt(args, i));
  if (auto p = asObject(**a)) return p;
  return fail(hr::kTypeMismatch, "Object required");
}

}  // namespace plotmate::sim
