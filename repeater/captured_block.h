#pragma once
// The worksheet selection's values as the batch run captured them: columns x
// rows, each cell keeping its own kind until it is put into a command line.

#include <cstdint>
#include <vector>

#include "hosts/variant.h"

namespace plotmate {

class CapturedBlock {
 public:
  CapturedBlock() = default;
  // Every value starts empty. Negative counts are taken as zero.
  CapturedBlock(std::int32_t columns, std::int32_t rows);

  std::int32_t columns() const { return columns_; }
  std::int32_t rows() const { return rows_; }
  // The value at column offset `column` and row offset `row`, or null when
  // that place lies outside the block.
  const Variant* value(std::int32_t column, std::int32_t row) const;
  Variant* value(std::int32_t column, std::int32_t row);
  // Exchanges two values of one row; nothing when either lies outside.
  void exchange(std::int32_t first, std::int32_t second, std::int32_t row);

 private:
  std::int32_t columns_ = 0;
  std::int32_t rows_ = 0;
  std::vector<Variant> values_;  // column after column
};

}  // namespace plotmate
