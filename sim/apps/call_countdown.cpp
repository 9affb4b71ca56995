#include "sim/apps/call_countdown.h"

#include "hosts/busy_retry.h"
#include "sim/args.h"

namespace plotmate::sim {

namespace {

enum class Ending { None, Vanish, Busy };

// Calls are answered on the server's one apartment thread: no lock needed.
struct Countdown {
  Ending ending = Ending::None;
  std::int32_t callsLeft = 0;  // before the failing call
};

Countdown& countdown() {
  static Countdown state;
  return state;
}

Result<Variant> failFromCall(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 2));
  auto k = argInt(args, 0);
  if (!k || *k < 0) return fail(hr::kTypeMismatch, "SimFailFromCall(k >= 0 [, \"vanish\"|\"busy\"])");
  std::string how = "vanish";
  if (hasArg(args, 1)) {
    PLOTMATE_TRY(given, argText(args, 1));
    how = *given;
  }
  if (how != "vanish" && how != "busy")
    return fail(hr::kInvalidArg, "SimFailFromCall: \"vanish\" or \"busy\"");
  if (*k == 0) {
    countdown() = {};
    return Variant();
  }
  countdown() = {how == "vanish" ? Ending::Vanish : Ending::Busy, *k - 1};
  return Variant();
}

}  // namespace

ControlMember callCountdownControl() { return {"SimFailFromCall", failFromCall}; }

HRESULT countdownCall() {
  auto& state = countdown();
  if (state.ending == Ending::None) return S_OK;
  if (state.callsLeft > 0) {
    --state.callsLeft;
    return S_OK;
  }
  // No clean-up, no revoking, no answer: the client finds out as it would
  // from a host that crashed in the middle of its call.
  if (state.ending == Ending::Vanish) TerminateProcess(GetCurrentProcess(), 3);
  return hr::kCallRejected;
}

}  // namespace plotmate::sim
