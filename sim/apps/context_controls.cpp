#include "sim/apps/context_controls.h"

#include "sim/args.h"

namespace plotmate::sim {

namespace {

Result<Variant> injectFault(HostContext& context, std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 4, 5));
  auto member = argText(args, 0);
  auto nth = argInt(args, 1);
  auto code = argInt(args, 2);
  auto description = argText(args, 3);
  if (!member || !nth || !code || !description || *nth < 0)
    return fail(hr::kTypeMismatch,
                "SimInjectFault(member, nth >= 0, code, description [, object])");
  FaultRule rule{"", *member, static_cast<std::size_t>(*nth), Error{*code, *description}};
  if (hasArg(args, 4)) {
    PLOTMATE_TRY(object, argText(args, 4));
    rule.object = *object;
  }
  context.faults.add(std::move(rule));
  return Variant();
}

Variant callLog(const CallLog& log) {
  VariantList records;
  records.reserve(log.size());
  for (const auto& r : log.entries())
    records.emplace_back(
        VariantList{r.object, r.member, kindName(r.kind), r.arguments, Variant(r.failed)});
  return Variant(std::move(records));
}

}  // namespace

std::vector<ControlMember> contextControls(std::shared_ptr<HostContext> context) {
  return contextControls([context] { return context; });
}

std::vector<ControlMember> contextControls(std::function<std::shared_ptr<HostContext>()> current) {
  auto noArgs = [](std::span<Variant> args) { return expectArgs(args, 0, 0); };
  return {
      {"SimInjectFault",
       [current](std::span<Variant> args) { return injectFault(*current(), args); }},
      {"SimClearFaults",
       [current, noArgs](std::span<Variant> args) -> Result<Variant> {
         PLOTMATE_RETURN_IF_FAILED(noArgs(args));
         current()->faults.clear();
         return Variant();
       }},
      {"SimCallLog",
       [current, noArgs](std::span<Variant> args) -> Result<Variant> {
         PLOTMATE_RETURN_IF_FAILED(noArgs(args));
         return callLog(current()->log);
       }},
      {"SimReportWindow",
       [current](std::span<Variant> args) -> Result<Variant> {
         PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 1));
         auto handle = asDouble(args[0]);
         if (!handle) return fail(hr::kTypeMismatch, "SimReportWindow(window handle)");
         current()->mainWindow = static_cast<std::int64_t>(*handle);
         return Variant();
       }},
      {"SimClearCallLog",
       [current, noArgs](std::span<Variant> args) -> Result<Variant> {
         PLOTMATE_RETURN_IF_FAILED(noArgs(args));
         current()->log.clear();
         return Variant();
       }},
  };
}

}  // namespace plotmate::sim
