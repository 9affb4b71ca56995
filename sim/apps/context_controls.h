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
//   SimReportWindow(handle)
//       HWND / Hwnd answers that window until the next load (a test's
//       window standing in for the host's own)

#include <functional>
#include <memory>
#include <vector>

#include "sim/apps/server_control.h"
#include "sim/sim_object.h"

namespace plotmate::sim {

std::vector<ControlMember> contextControls(std::shared_ptr<HostContext> context);
// The same members, acting on whichever context `current` yields at the call
// (a server whose host is replaced by a fresh one).
std::vector<ControlMember> contextControls(std::function<std::shared_ptr<HostContext>()> current);

}  // namespace plotmate::sim
