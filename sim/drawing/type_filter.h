#pragma once
// The entity-type filter of selection calls (group code 0): DXF type names
// matched against a wildcard pattern the way the host's selection filters and
// wcmatch do it.

#include <string_view>

#include "sim/drawing/model.h"

namespace plotmate::sim {

// The DXF type name of an entity kind ("LINE", "LWPOLYLINE", "POLYLINE",
// "CIRCLE", "ARC", "TEXT", "MTEXT", "POINT", "INSERT", "REGION").
std::string_view dxfTypeName(EntityKind kind);

// Whether `name` matches `pattern`, without regard to case. Pattern syntax
// (the wild-card characters of AutoCAD selection filters): "*" any sequence,
// "?" one character, "#" one digit, "@" one letter, "." one character that is
// neither a letter nor a digit, "[...]" one of the characters (ranges
// "a-z"), "[~...]" none of them, "~" at the start negates the whole pattern,
// "," separates alternatives, "`" takes the next character literally.
bool matchesWildcard(std::string_view pattern, std::string_view name);

// Whether the entity passes a group-code-0 filter value.
bool matchesTypeFilter(std::string_view pattern, EntityKind kind);

}  // namespace plotmate::sim
