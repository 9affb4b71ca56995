#pragma once
// A test member every stand-in server offers, so a test can make the host
// vanish or hang at a chosen point of a run instead of racing a kill:
//
//   SimFailFromCall(k, "vanish")  the process ends at the host's kth call,
//                                 before answering it, as a crashed host does
//   SimFailFromCall(k, "busy")    from the kth call on, every call is turned
//                                 away as a busy host does (RPC_E_CALL_REJECTED)
//   SimFailFromCall(0)            back to answering every call
//
// Calls are counted from the SimFailFromCall; only the host's own members
// count, never the server's test members.

#include <windows.h>

#include <string_view>

#include "sim/apps/server_control.h"

namespace plotmate::sim {

ControlMember callCountdownControl();

// Asked for every call to a host member: S_OK to answer it, or the code that
// turns it away. Does not return when the host is to vanish at this call.
HRESULT countdownCall();

}  // namespace plotmate::sim
