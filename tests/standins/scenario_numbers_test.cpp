// Whole numbers in scenario files: every JSON number is checked against the
// field's range before it becomes an integer, so a hand-written 1e300 or a
// PREC of 70000 is refused by name instead of cast out of range or wrapped.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "sim/state/state_json.h"

namespace plotmate::scenario {
namespace {

TEST(ScenarioNumbers, WholeNumbersWithinTheFieldsRange) {
  struct Case {
    const char* json;
    std::optional<std::int64_t> read;  // nothing: refused
  };
  const Case cases[] = {
      {"3", 3},
      {"2.0", 2},
      {"-32768", -32768},
      {"32767", 32767},
      {"32768", std::nullopt},
      {"70000", std::nullopt},
      {"-32769", std::nullopt},
      {"1e10", std::nullopt},
      {"1e300", std::nullopt},
      {"-1e300", std::nullopt},
      {"2.5", std::nullopt},
      {"18446744073709551615", std::nullopt},
      {"\"3\"", std::nullopt},
      {"true", std::nullopt},
      {"null", std::nullopt},
  };
  for (const auto& c : cases) {
    const Json value = Json::parse(c.json);
    if (c.read) {
      EXPECT_EQ(wholeNumber(value, "PREC", INT16_MIN, INT16_MAX), *c.read) << c.json;
    } else {
      try {
        wholeNumber(value, "PREC", INT16_MIN, INT16_MAX);
        ADD_FAILURE() << c.json << " was taken";
      } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "PREC: a whole number from -32768 to 32767") << c.json;
      }
    }
  }
}

}  // namespace
}  // namespace plotmate::scenario
