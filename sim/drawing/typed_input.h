#pragma once
// Values typed at the drawing host's command line: numbers, angles and
// points, read the way the host reads them in its default units (decimal
// numbers, angles in degrees counter-clockwise from the UCS X axis).

#include <optional>
#include <string>
#include <string_view>

#include "sim/drawing/model.h"

namespace plotmate::sim {

std::optional<double> parseTypedNumber(std::string_view text);

// A point in the current UCS. Forms: "x,y" and "x,y,z" (absolute; a 2-D
// point lies at UCS height 0), "@dx,dy" and "@dx,dy,dz" (relative to the
// last point, keeping its height when no dz is given), "@" (the last point
// itself), "d<a" and "@d<a" (polar, a in degrees), and a leading "*" for a
// point typed in world coordinates. Returns the point in UCS coordinates.
std::optional<Vec3> parseTypedPoint(std::string_view text, const Ucs& ucs, Vec3 lastPointUcs);

// A length as the host shows it at a prompt's default: four decimals.
std::string unitsText(double value);

}  // namespace plotmate::sim
