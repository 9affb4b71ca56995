#pragma once
// Injected failures: any member of any stand-in object can be told to fail on
// every call or only on its Nth call, so tests reach the tools' error paths.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"

namespace plotmate::sim {

struct FaultRule {
  std::string object;  // class of the receiving object; empty matches every class
  std::string member;  // matched without regard to case; "*" matches every member
  std::size_t nth = 0;  // 0: every call fails; N: only the Nth matching call (1-based)
  Error error{hr::kFail, "Unspecified error"};
};

class FaultPlan {
 public:
  void add(FaultRule rule);
  void clear() { rules_.clear(); }
  // Counts the call against every matching rule; the first rule that fires wins.
  std::optional<Error> check(std::string_view object, std::string_view member);

 private:
  struct Armed {
    FaultRule rule;
    std::size_t seen = 0;
  };
  std::vector<Armed> rules_;
};

}  // namespace plotmate::sim
