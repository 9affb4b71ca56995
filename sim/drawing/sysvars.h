#pragma once
// The drawing host's system variables: typed values with the host's defaults,
// read and written through GetVariable/SetVariable and by commands.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/variant.h"
#include "sim/drawing/model.h"

namespace plotmate::sim {

enum class SysvarType { Integer, Real, Text, Point };

class SystemVariables {
 public:
  // Every known variable at its default (an ISO drawing: TEXTSIZE 2.5).
  SystemVariables();

  // The value as the host returns it: Integer as a 16-bit integer, Real as a
  // double, Text as text, Point as three doubles. Unknown names fail.
  Result<Variant> get(std::string_view name) const;
  // Sets a variable as SetVariable does: the value must have the variable's
  // exact type (an integer variable takes only a 16-bit Integer, a real one
  // only a Double), lie in its range, and the variable must not be read-only.
  Result<void> set(std::string_view name, const Variant& value);

  // Typed access for the commands; the name must be a known variable.
  std::int16_t integer(std::string_view name) const;
  double real(std::string_view name) const;
  Vec3 point(std::string_view name) const;
  // Commands write their own variables (LASTPOINT, TEXTSIZE) without the
  // SetVariable checks; values outside the variable's type are ignored.
  void assign(std::string_view name, const Variant& value);

  // Every variable with its current value, sorted by name (for reports).
  std::vector<std::pair<std::string, Variant>> all() const;

 private:
  struct Entry {
    std::string name;  // upper case
    SysvarType type = SysvarType::Integer;
    Variant value;
    double min = 0, max = -1;  // numeric range; min > max means unbounded
    bool readOnly = false;
    bool (*accepts)(std::int16_t) = nullptr;  // extra rule for integer values
  };
  static Entry entry(std::string name, SysvarType type, Variant value, double min = 0,
                     double max = -1);
  const Entry* find(std::string_view name) const;
  Entry* find(std::string_view name);
  std::vector<Entry> entries_;
};

}  // namespace plotmate::sim
