#include "sim/apps/server_control.h"

#include <windows.h>

#include "hosts/busy_retry.h"
#include "sim/com/served_object.h"
#include "sim/apps/call_countdown.h"
#include "sim/args.h"

namespace plotmate::sim {

// Busy-host simulation: how many further calls to turn away (negative: all
// of them until told otherwise), with which code, and how many were.
struct ServerControl::BusyHost {
  std::int32_t remaining = 0;
  std::int32_t code = hr::kCallRejected;
  std::int32_t rejected = 0;
};

ServerControl::ServerControl(ServedHost host, std::function<void()> quit)
    : application_(std::move(host.application)),
      controls_(std::move(host.controls)),
      busy_(std::make_shared<BusyHost>()) {
  controls_.push_back({"Quit", [quit = std::move(quit)](std::span<Variant>) -> Result<Variant> {
                         quit();
                         return Variant();
                       }});
  controls_.push_back({"SimRejectNextCalls",
                       [this](std::span<Variant> args) { return rejectNextCalls(args); }});
  controls_.push_back(callCountdownControl());
  controls_.push_back({"SimRejectedCalls", [busy = busy_](std::span<Variant>) -> Result<Variant> {
                         return Variant(busy->rejected);
                       }});
  // The objects clients hold now, this server object included.
  controls_.push_back({"SimLiveObjects", [](std::span<Variant>) -> Result<Variant> {
                         return Variant(static_cast<std::int32_t>(com::servedObjectCount()));
                       }});
  // The server's own members stay reachable while the host plays busy, so a
  // test can always end the act (and the harness can always say Quit).
  com::setCallGate([this, busy = busy_](std::string_view member) -> HRESULT {
    if (findControl(member)) return S_OK;
    if (HRESULT refused = countdownCall(); FAILED(refused)) return refused;
    if (busy->remaining == 0) return S_OK;
    if (busy->remaining > 0) --busy->remaining;
    ++busy->rejected;
    return busy->code;
  });
}

ServerControl::~ServerControl() { com::setCallGate(nullptr); }

const ControlMember* ServerControl::findControl(std::string_view name) const {
  for (const auto& member : controls_)
    if (equalsNoCase(member.name, name)) return &member;
  return nullptr;
}

// SimRejectNextCalls(count [, code]): a negative count rejects every call.
Result<Variant> ServerControl::rejectNextCalls(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 2));
  PLOTMATE_TRY(count, argInt(args, 0));
  std::int32_t code = hr::kCallRejected;
  if (hasArg(args, 1)) {
    PLOTMATE_TRY(given, argInt(args, 1));
    code = *given;
  }
  if (code >= 0) return fail(hr::kInvalidArg, "The rejection code must be a failure code");
  *busy_ = BusyHost{*count, code, 0};
  return Variant();
}

Result<Variant> ServerControl::invoke(std::string_view name, CallKind kind,
                                      std::span<Variant> args) {
  if (auto control = findControl(name)) return control->handler(args);
  return application_->invoke(name, kind, args);
}

}  // namespace plotmate::sim
