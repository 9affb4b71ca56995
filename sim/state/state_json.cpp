#include "sim/state/state_json.h"

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

namespace plotmate::scenario {

void scenarioError(const std::string& message) { throw std::runtime_error(message); }

std::int64_t wholeNumber(const Json& value, const std::string& field, std::int64_t least,
                         std::int64_t most) {
  std::optional<std::int64_t> whole;
  if (value.is_number_unsigned()) {
    if (value.get<std::uint64_t>() <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
      whole = value.get<std::int64_t>();
  } else if (value.is_number_integer()) {
    whole = value.get<std::int64_t>();
  } else if (value.is_number_float()) {
    // Checked against the range as a double before the cast: a real beyond
    // the integer type must never reach a conversion.
    const double real = value.get<double>();
    if (real == std::floor(real) && real >= static_cast<double>(least) && real <= static_cast<double>(most))
      whole = static_cast<std::int64_t>(real);
  }
  if (!whole || *whole < least || *whole > most)
    scenarioError(field + ": a whole number from " + std::to_string(least) + " to " + std::to_string(most));
  return *whole;
}

}  // namespace plotmate::scenario
