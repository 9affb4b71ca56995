#include "sim/faults.h"

#include "hosts/dispatch.h"

namespace plotmate::sim {

void FaultPlan::add(FaultRule rule) { rules_.push_back({std::move(rule), 0}); }

std::optional<Error> FaultPlan::check(std::string_view object, std::string_view member) {
  std::optional<Error> fired;
  for (auto& armed : rules_) {
    const auto& rule = armed.rule;
    if (!rule.object.empty() && !equalsNoCase(rule.object, object)) continue;
    if (rule.member != "*" && !equalsNoCase(rule.member, member)) continue;
    ++armed.seen;
    bool fires = rule.nth == 0 || armed.seen == rule.nth;
    if (fires && !fired) fired = rule.error;
  }
  return fired;
}

}  // namespace plotmate::sim
