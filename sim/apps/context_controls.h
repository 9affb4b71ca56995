#pragma once
// Test members every stand-in server offers over its host's shared context,
// so a test in another process can steer the host and read what it received:
//
//   SimInjectFault(member, nth, code, description [, object])
//       the member's nth call (0: every call) fails with that error
//   SimClearFaults()
//   SimCallLog() -> one list per call: object, member, "call"/"get"/"put",
//       arguments as text, whether an injected fault answered it
//   SimClearCallLog()

#include <memory>
#include <vector>

#include "sim/apps/server_control.h"
#include "sim/sim_object.h"

namespace plotmate::sim {

std::vector<ControlMember> contextControls(std::shared_ptr<HostContext> context);

}  // namespace plotmate::sim
