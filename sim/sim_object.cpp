#include "sim/sim_object.h"

namespace plotmate::sim {

const HostProfile& profileOf(const HostContext& context, HostKind kind) {
  return context.profile ? *context.profile : defaultProfile(kind);
}

namespace {

// A member the posed program lacks is unknown to it, as to IDispatch.
bool lacks(const HostContext& context, std::string_view name) {
  if (!context.profile) return false;
  for (auto missing : context.profile->missingMembers)
    if (lowerAscii(missing) == lowerAscii(name)) return true;
  return false;
}

}  // namespace

Result<Variant> SimObject::invoke(std::string_view name, CallKind kind, std::span<Variant> args) {
  auto fault = context_->faults.check(className_, name);
  // The text a COM client reads for it under Wine, so that a scenario gives
  // the same message in-process and over COM.
  if (!fault && lacks(*context_, name))
    fault = Error{hr::kUnknownName, "Unknown name (0x80020006): " + std::string(name)};
  context_->log.record(className_, name, kind, args, fault.has_value());
  if (fault) return std::unexpected(*fault);
  return invokeMember(name, kind, args);
}

}  // namespace plotmate::sim
