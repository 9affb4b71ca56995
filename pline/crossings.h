#pragma once
// The lines that cross an exported polyline: found by a fence through its
// vertices, recorded with the point where each meets the polyline and its
// start and end points, and written as a second table below the vertices.

#include <cstdint>
#include <expected>
#include <span>
#include <string_view>
#include <vector>

#include "hosts/acad.h"
#include "hosts/platform.h"
#include "hosts/user_system.h"
#include "pline/sheet_cursor.h"

namespace plotmate {

// The named selection set the search fills; it stays in the drawing between runs.
inline constexpr std::string_view kCrossingSetName = "SSET";

// One crossing line, in the drawing's current user coordinates. A line the
// fence selects but that does not meet the polyline keeps all zeros.
struct CrossingRow {
  Point3 intersection{};
  Point3 start{};
  Point3 end{};
  bool operator==(const CrossingRow&) const = default;
};

// One row per line the selection returned, in the selection's order; every
// line is kept, however many there are.
using CrossingTable = std::vector<CrossingRow>;

// Selects the lines that the fence (the polyline's vertices in world
// coordinates, three numbers each, as an open path) crosses, leaves out the
// polyline itself and records every remaining line. Each host action is
// dropped when it fails and leaves what it would have produced as it was.
// Points are translated here when the user system is known, else by the host.
// What the host refuses after the selection is told to `report`. Fails only
// when the host lacks a member the search needs (IntersectWith, or
// TranslateCoordinates without the user system): no line can be recorded.
std::expected<CrossingTable, MissingMember> CollectCrossings(const AcadDocument& document, const AcadUtility& utility,
                               const CoordinateFrame* userSystem, const AcadEntity& polyline,
                               const std::vector<double>& fence, Platform* report = nullptr);

// With the active cell on the first row below the vertex table: two empty
// rows, the group headers, the "X" "Y" "Z" row and one row per line; the
// active cell ends below the last row. Writes nothing and leaves the active
// cell where it is when there is no line.
void WriteCrossingTable(SheetCursor& cursor, std::span<const CrossingRow> table);

}  // namespace plotmate
