#pragma once
// Late binding as a value: what crosses the automation boundary in either
// direction. Mirrors the VARIANT kinds the hosts use; texts are UTF-8.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "base/result.h"

namespace plotmate {

class Dispatch;
using DispatchPtr = std::shared_ptr<Dispatch>;
class Variant;

struct Empty {
  bool operator==(const Empty&) const = default;
};
// An omitted optional argument.
struct Missing {
  bool operator==(const Missing&) const = default;
};
// A by-reference output argument: what VB passes for an unset variable of the
// parameter's declared type (a Variant for VARIANT*, an Object for
// IDispatch**). The callee writes its output into the argument in place of
// the slot; a call that fails leaves the slot as it was. Outputs are always
// marked this way, never inferred from an empty value.
struct OutputSlot {
  enum class Holds : std::uint8_t { Variant, Object };
  Holds holds = Holds::Variant;
  bool operator==(const OutputSlot&) const = default;
};
// A worksheet error value such as #N/A (VT_ERROR).
struct CellError {
  std::int32_t code = 0;
  bool operator==(const CellError&) const = default;
};

using VariantList = std::vector<Variant>;

// A 2-D block of values, as a range's Value: rows x columns, row-major, 0-based.
struct VariantGrid {
  std::size_t rows = 0;
  std::size_t columns = 0;
  std::vector<Variant> cells;

  VariantGrid() = default;
  VariantGrid(std::size_t r, std::size_t c);
  Variant& at(std::size_t row, std::size_t column);
  const Variant& at(std::size_t row, std::size_t column) const;
  bool operator==(const VariantGrid&) const;
};

class Variant {
 public:
  using Storage = std::variant<Empty, Missing, bool, std::int16_t, std::int32_t, double,
                               std::string, CellError, VariantList, VariantGrid, DispatchPtr,
                               OutputSlot>;

  Variant() = default;
  Variant(Empty) {}
  Variant(Missing v) : value_(v) {}
  Variant(bool v) : value_(v) {}
  Variant(std::int16_t v) : value_(v) {}
  Variant(std::int32_t v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(const char* v) : value_(std::string(v)) {}
  Variant(CellError v) : value_(v) {}
  Variant(VariantList v) : value_(std::move(v)) {}
  Variant(VariantGrid v) : value_(std::move(v)) {}
  Variant(DispatchPtr v) : value_(std::move(v)) {}
  Variant(OutputSlot v) : value_(v) {}
  template <class T>
    requires std::is_base_of_v<Dispatch, T>
  Variant(std::shared_ptr<T> v) : value_(DispatchPtr(std::move(v))) {}

  template <class T>
  bool is() const {
    return std::holds_alternative<T>(value_);
  }
  template <class T>
  const T* getIf() const {
    return std::get_if<T>(&value_);
  }
  template <class T>
  T* getIf() {
    return std::get_if<T>(&value_);
  }
  bool isEmpty() const { return is<Empty>(); }
  bool isMissing() const { return is<Missing>(); }
  bool isOutputSlot() const { return is<OutputSlot>(); }
  const Storage& storage() const { return value_; }

  bool operator==(const Variant& other) const;

 private:
  Storage value_;
};

// Output slots for a VARIANT* and an IDispatch** parameter.
inline Variant outputVariant() { return OutputSlot{OutputSlot::Holds::Variant}; }
inline Variant outputObject() { return OutputSlot{OutputSlot::Holds::Object}; }

// A number of any numeric kind (bool counts as VB does: true is -1).
std::optional<double> asDouble(const Variant& v);
// The object held, or null.
DispatchPtr asObject(const Variant& v);
// A flat numeric array (the hosts' point lists) as doubles; fails on any non-number.
Result<std::vector<double>> toDoubles(const Variant& v);
Variant fromDoubles(std::span<const double> values);
// A short readable rendering for logs and scenario output.
std::string describe(const Variant& v);

}  // namespace plotmate
