#include "sim/state/state_json.h"

#include <stdexcept>

namespace plotmate::scenario {

void scenarioError(const std::string& message) { throw std::runtime_error(message); }

}  // namespace plotmate::scenario
