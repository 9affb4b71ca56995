#include "repeater/captured_block.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace plotmate {

CapturedBlock::CapturedBlock(std::int32_t columns, std::int32_t rows)
    : columns_(std::max(columns, 0)),
      rows_(std::max(rows, 0)),
      values_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_)) {}

const Variant* CapturedBlock::value(std::int32_t column, std::int32_t row) const {
  if (column < 0 || column >= columns_ || row < 0 || row >= rows_) return nullptr;
  return &values_[static_cast<std::size_t>(column) * static_cast<std::size_t>(rows_) +
                  static_cast<std::size_t>(row)];
}

Variant* CapturedBlock::value(std::int32_t column, std::int32_t row) {
  return const_cast<Variant*>(std::as_const(*this).value(column, row));
}

void CapturedBlock::exchange(std::int32_t first, std::int32_t second, std::int32_t row) {
  Variant* a = value(first, row);
  Variant* b = value(second, row);
  if (a && b) std::swap(*a, *b);
}

}  // namespace plotmate
