#include "sim/call_log.h"

namespace plotmate::sim {

void CallLog::record(std::string object, std::string_view member, CallKind kind,
                     std::span<const Variant> args, bool failed) {
  ++calls_;
  if (kept_ == KeptCalls::None || (kept_ == KeptCalls::Failed && !failed)) return;
  std::string text;
  for (std::size_t i = 0; i < args.size(); ++i) text += (i ? ", " : "") + describe(args[i]);
  entries_.push_back(
      {std::move(object), std::string(member), kind, std::move(text), failed, calls_});
}

std::string kindName(CallKind kind) {
  switch (kind) {
    case CallKind::Method:
      return "call";
    case CallKind::Get:
      return "get";
    case CallKind::Put:
      return "put";
  }
  return "call";
}

}  // namespace plotmate::sim
