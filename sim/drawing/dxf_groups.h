#pragma once
// The groups of an ASCII DXF file as the reader walks them: code and value
// pairs, the entities they make up, and the readers of their values. Every
// failure names the line it was found on.

#include <cstdint>
#include <numbers>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "sim/drawing/model.h"

namespace plotmate::sim::dxf {

inline constexpr double kDegree = std::numbers::pi / 180;

// One group: its code, its value line and the line number of the code.
struct Pair {
  int code = 0;
  std::string_view value;
  std::size_t line = 0;
};

// An entity as found in the file: its type, its groups up to the next code 0,
// and the entities that follow it as part of it (VERTEX, ATTRIB).
struct RawEntity {
  std::string_view type;
  std::span<const Pair> body;
  std::size_t line = 0;
  std::vector<RawEntity> children;
};

std::string decimal(long long n);
std::unexpected<Error> lineError(std::size_t line, std::string_view message);
std::string_view trim(std::string_view s);
// A value quoted in a message: short, printable.
std::string shown(std::string_view s);
inline bool is(const Pair& p, int code, std::string_view value) { return p.code == code && trim(p.value) == value; }

// The file's lines as pairs, up to 0/EOF. Fails on a binary file, on a code
// that is no whole number and on a code without its value.
Result<std::vector<Pair>> splitPairs(std::string_view content);
Result<double> realOf(const Pair& p);
// Also takes a whole number written as a real ("1.0"), as some programs write them.
Result<long long> integerOf(const Pair& p);
std::optional<std::uint64_t> handleValue(std::string_view text);
// Reads a coordinate group (base, base + 10, base + 20: x, y, z) into a point;
// false when the pair is none of them.
Result<bool> readPointGroup(const Pair& p, int base, Vec3& point);

}  // namespace plotmate::sim::dxf
