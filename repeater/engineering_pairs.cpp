#include "repeater/engineering_pairs.h"

namespace plotmate {

// Unlike the line builder, this walk visits every parameter: the second part
// of a pair counts as a column only while its own worksheet box is ticked,
// and an empty parameter does not end it.
bool ExchangeEngineeringPairs(const RepeaterForm& form, CapturedBlock& block) {
  for (std::int32_t row = 0; row < block.rows(); ++row) {
    std::int32_t column = 0;
    for (std::size_t i = 0; i < kParameterCount; ++i) {
      if (!form.Check1(i)) continue;
      ++column;
      if (!form.Check2(i)) continue;
      if (form.Check2(i + 1)) return false;
      block.exchange(column - 1, column, row);
    }
  }
  return true;
}

}  // namespace plotmate
