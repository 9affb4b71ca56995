#include "hosts/variant.h"

#include <charconv>

namespace plotmate {

VariantGrid::VariantGrid(std::size_t r, std::size_t c) : rows(r), columns(c), cells(r * c) {}

Variant& VariantGrid::at(std::size_t row, std::size_t column) { return cells[row * columns + column]; }

const Variant& VariantGrid::at(std::size_t row, std::size_t column) const {
  return cells[row * columns + column];
}

bool VariantGrid::operator==(const VariantGrid& other) const {
  return rows == other.rows && columns == other.columns && cells == other.cells;
}

bool Variant::operator==(const Variant& other) const { return value_ == other.value_; }

std::optional<double> asDouble(const Variant& v) {
  if (auto d = v.getIf<double>()) return *d;
  if (auto i = v.getIf<std::int32_t>()) return *i;
  if (auto s = v.getIf<std::int16_t>()) return *s;
  if (auto b = v.getIf<bool>()) return *b ? -1.0 : 0.0;
  return std::nullopt;
}

DispatchPtr asObject(const Variant& v) {
  if (auto p = v.getIf<DispatchPtr>()) return *p;
  return nullptr;
}

Result<std::vector<double>> toDoubles(const Variant& v) {
  const auto* list = v.getIf<VariantList>();
  if (!list) return fail(hr::kTypeMismatch, "Type mismatch: not an array");
  std::vector<double> out;
  out.reserve(list->size());
  for (const auto& item : *list) {
    auto d = asDouble(item);
    if (!d) return fail(hr::kTypeMismatch, "Type mismatch: array element is not a number");
    out.push_back(*d);
  }
  return out;
}

Variant fromDoubles(std::span<const double> values) {
  VariantList list;
  list.reserve(values.size());
  for (double d : values) list.emplace_back(d);
  return Variant(std::move(list));
}

namespace {

std::string numberText(double d) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, d);
  return std::string(buf, r.ptr);
}

std::string quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

}  // namespace

std::string describe(const Variant& v) {
  struct Visitor {
    std::string operator()(Empty) const { return "Empty"; }
    std::string operator()(Missing) const { return "Missing"; }
    std::string operator()(bool b) const { return b ? "True" : "False"; }
    std::string operator()(std::int16_t i) const { return std::to_string(i); }
    std::string operator()(std::int32_t i) const { return std::to_string(i); }
    std::string operator()(double d) const { return numberText(d); }
    std::string operator()(const std::string& s) const { return quoted(s); }
    std::string operator()(CellError e) const { return "Error(" + std::to_string(e.code) + ")"; }
    std::string operator()(const VariantList& l) const {
      std::string out = "[";
      for (std::size_t i = 0; i < l.size(); ++i) out += (i ? "," : "") + describe(l[i]);
      return out + "]";
    }
    std::string operator()(const VariantGrid& g) const {
      std::string out = "[";
      for (std::size_t r = 0; r < g.rows; ++r) {
        out += r ? ",[" : "[";
        for (std::size_t c = 0; c < g.columns; ++c) out += (c ? "," : "") + describe(g.at(r, c));
        out += "]";
      }
      return out + "]";
    }
    std::string operator()(const DispatchPtr& p) const { return p ? "Object" : "Nothing"; }
    std::string operator()(OutputSlot s) const {
      return s.holds == OutputSlot::Holds::Object ? "out Object" : "out Variant";
    }
  };
  return std::visit(Visitor{}, v.storage());
}

}  // namespace plotmate
