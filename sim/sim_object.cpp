#include "sim/sim_object.h"

namespace plotmate::sim {

Result<Variant> SimObject::invoke(std::string_view name, CallKind kind, std::span<Variant> args) {
  auto fault = context_->faults.check(className_, name);
  context_->log.record(className_, name, kind, args, fault.has_value());
  if (fault) return std::unexpected(*fault);
  return invokeMember(name, kind, args);
}

}  // namespace plotmate::sim
