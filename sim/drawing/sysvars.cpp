#include "sim/drawing/sysvars.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "hosts/dispatch.h"

namespace plotmate::sim {

namespace {

// PDMODE: a shape 0-4 plus an optional circle (32), square (64) or both (96).
bool validPointMode(std::int16_t v) { return v >= 0 && v < 128 && (v & 0x1F) <= 4; }

Variant pointValue(Vec3 p) {
  return VariantList{Variant(p.x), Variant(p.y), Variant(p.z)};
}

Error setFailed(std::string_view name, std::string_view why) {
  // The reference says only that a value of the wrong type "will generate an
  // error"; the stand-in names the variable and the reason.
  return {hr::kInvalidArg, "Error setting system variable " + std::string(name) + ": " +
                               std::string(why)};
}

}  // namespace

SystemVariables::Entry SystemVariables::entry(std::string name, SysvarType type, Variant value,
                                              double min, double max) {
  Entry e;
  e.name = std::move(name);
  e.type = type;
  e.value = std::move(value);
  e.min = min;
  e.max = max;
  return e;
}

SystemVariables::SystemVariables() {
  using T = SysvarType;
  auto integer = [](std::int16_t v) { return Variant(v); };
  // Defaults are AutoCAD's for a new drawing from the ISO template.
  entries_ = {
      entry("ACADVER", T::Text, Variant("24.0s (LMS Tech)")),
      entry("ATTDIA", T::Integer, integer(0), 0, 1),
      entry("ATTREQ", T::Integer, integer(1), 0, 1),
      entry("CIRCLERAD", T::Real, Variant(0.0), 0, 1e300),
      entry("CLAYER", T::Text, Variant("0")),
      entry("CMDECHO", T::Integer, integer(1), 0, 1),
      entry("EXPERT", T::Integer, integer(0), 0, 5),
      entry("FILEDIA", T::Integer, integer(1), 0, 1),
      entry("HPBOUND", T::Integer, integer(1), 0, 1),
      entry("LASTPOINT", T::Point, pointValue({})),
      entry("NOMUTT", T::Integer, integer(0), 0, 1),
      entry("ORTHOMODE", T::Integer, integer(0), 0, 1),
      entry("OSMODE", T::Integer, integer(4133), 0, 32767),
      entry("PDMODE", T::Integer, integer(0), 0, 127),
      entry("PDSIZE", T::Real, Variant(0.0)),
      entry("PICKBOX", T::Integer, integer(3), 0, 50),
      entry("TEXTSIZE", T::Real, Variant(2.5), 1e-10, 1e300),
  };
  entries_.front().readOnly = true;  // ACADVER
  find("PDMODE")->accepts = validPointMode;
}

const SystemVariables::Entry* SystemVariables::find(std::string_view name) const {
  for (const auto& e : entries_)
    if (equalsNoCase(e.name, name)) return &e;
  return nullptr;
}

SystemVariables::Entry* SystemVariables::find(std::string_view name) {
  return const_cast<Entry*>(std::as_const(*this).find(name));
}

Result<Variant> SystemVariables::get(std::string_view name) const {
  if (const Entry* e = find(name)) return e->value;
  return fail(hr::kInvalidArg, "Error getting system variable " + std::string(name) +
                                   ": unknown variable");
}

Result<void> SystemVariables::set(std::string_view name, const Variant& value) {
  Entry* e = find(name);
  if (!e) return std::unexpected(setFailed(name, "unknown variable"));
  if (e->readOnly) return std::unexpected(setFailed(e->name, "read-only"));
  Variant stored;
  switch (e->type) {
    case SysvarType::Integer: {
      // An integer variable takes a 16-bit Integer in its range; a double (or
      // a Long) is refused even when whole, as the reference warns: callers
      // are told to type the value with CInt first.
      auto s = value.getIf<std::int16_t>();
      if (!s) return std::unexpected(setFailed(e->name, "an Integer is required"));
      const std::int32_t v = *s;
      if (v < e->min || v > e->max || (e->accepts && !e->accepts(static_cast<std::int16_t>(v))))
        return std::unexpected(setFailed(e->name, "value out of range"));
      stored = Variant(static_cast<std::int16_t>(v));
      break;
    }
    case SysvarType::Real: {
      // A real variable takes a Double only; an Integer is the wrong data
      // type, refused as the reference warns.
      auto d = value.getIf<double>();
      if (!d || !std::isfinite(*d)) return std::unexpected(setFailed(e->name, "a Double is required"));
      if (e->min <= e->max && (*d < e->min || *d > e->max))
        return std::unexpected(setFailed(e->name, "value out of range"));
      stored = Variant(*d);
      break;
    }
    case SysvarType::Text: {
      auto s = value.getIf<std::string>();
      if (!s) return std::unexpected(setFailed(e->name, "a text is required"));
      stored = Variant(*s);
      break;
    }
    case SysvarType::Point: {
      auto list = toDoubles(value);
      if (!list || list->size() < 2 || list->size() > 3)
        return std::unexpected(setFailed(e->name, "a point is required"));
      stored = pointValue({(*list)[0], (*list)[1], list->size() == 3 ? (*list)[2] : 0.0});
      break;
    }
  }
  e->value = std::move(stored);
  return {};
}

std::int16_t SystemVariables::integer(std::string_view name) const {
  const Entry* e = find(name);
  auto v = e ? e->value.getIf<std::int16_t>() : nullptr;
  return v ? *v : 0;
}

double SystemVariables::real(std::string_view name) const {
  const Entry* e = find(name);
  auto v = e ? asDouble(e->value) : std::nullopt;
  return v ? *v : 0.0;
}

Vec3 SystemVariables::point(std::string_view name) const {
  const Entry* e = find(name);
  if (!e) return {};
  auto list = toDoubles(e->value);
  if (!list || list->size() != 3) return {};
  return {(*list)[0], (*list)[1], (*list)[2]};
}

void SystemVariables::assign(std::string_view name, const Variant& value) {
  Entry* e = find(name);
  if (!e) return;
  bool fits = false;
  switch (e->type) {
    case SysvarType::Integer: fits = value.is<std::int16_t>(); break;
    case SysvarType::Real: fits = value.is<double>(); break;
    case SysvarType::Text: fits = value.is<std::string>(); break;
    case SysvarType::Point: fits = value.is<VariantList>(); break;
  }
  if (fits) e->value = value;
}

std::vector<std::pair<std::string, Variant>> SystemVariables::all() const {
  std::vector<std::pair<std::string, Variant>> out;
  for (const auto& e : entries_) out.emplace_back(e.name, e.value);
  std::ranges::sort(out, {}, [](const auto& p) { return p.first; });
  return out;
}

}  // namespace plotmate::sim
