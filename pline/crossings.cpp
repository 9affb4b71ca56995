#include "pline/crossings.h"

#include <string>

#include "pline/point_list.h"

namespace plotmate {

namespace {

constexpr std::int16_t kEntityTypeCode = 0;
constexpr std::string_view kLineType = "Line";
constexpr std::int16_t kNoExtension = 0;

// "SSET" as it stands, or newly added when the drawing has none yet.
std::optional<AcadSelectionSet> crossingSet(const AcadDocument& document) {
  auto sets = document.selectionSets();
  if (!sets) return std::nullopt;
  if (auto set = sets->item(std::string(kCrossingSetName))) return *set;
  if (auto set = sets->add(std::string(kCrossingSetName))) return *set;
  return std::nullopt;
}

// World to user: here when the system is known, else one host call that may fail.
Result<Point3> toUser(const AcadUtility& utility, const CoordinateFrame* userSystem,
                      const Point3& world) {
  if (userSystem) return FromWorld(*userSystem, world);
  return utility.translateCoordinates(world, kWorld, kUser, false);
}

}  // namespace

CrossingTable CollectCrossings(const AcadDocument& document, const AcadUtility& utility,
                               const CoordinateFrame* userSystem, const AcadEntity& polyline,
                               const std::vector<double>& fence) {
  // A set that can neither be found nor made: no crossing line is recorded.
  auto set = crossingSet(document);
  if (!set) return {};
  (void)set->clear();
  (void)set->selectByPolygon(kSelectFence, fence, kEntityTypeCode, std::string(kLineType));

  std::int32_t count = 0;
  if (auto n = set->count()) count = *n;
  if (count <= 0) return {};
  // The polyline is no crossing line; when it is not in the set this fails, harmlessly.
  (void)set->removeItems({polyline});
  if (auto n = set->count()) count = *n;
  if (count <= 0) return {};

  CrossingTable table(static_cast<std::size_t>(count));
  // What each action produced last: a failed one leaves it as it was.
  std::vector<double> meeting;
  Point3 intersection{}, start{}, end{};
  for (std::int32_t i = 0; i < count; ++i) {
    AcadEntity line;
    if (auto item = set->item(i)) line = *item;
    if (line) {
      if (auto points = line.intersectWith(polyline, kNoExtension)) meeting = *points;
    }
    // No meeting point, as an empty value or a list of none: the row stays zero.
    auto first = FirstPoint(meeting);
    if (!first) continue;
    // Only the first point counts when the line meets the polyline more than once.
    if (auto q = toUser(utility, userSystem, *first)) intersection = *q;
    if (line) {
      if (auto p = line.startPoint())
        if (auto s = toUser(utility, userSystem, *p)) start = *s;
      if (auto p = line.endPoint())
        if (auto e = toUser(utility, userSystem, *p)) end = *e;
    }
    table[static_cast<std::size_t>(i)] = {intersection, start, end};
  }
  return table;
}

void WriteCrossingTable(SheetCursor& cursor, std::span<const CrossingRow> table) {
  if (table.empty()) return;
  cursor.move(2, 0);
  cursor.move(0, 1);
  cursor.write("交点坐标");
  cursor.move(0, 3);
  cursor.write("交线起点坐标");
  cursor.move(0, 3);
  cursor.write("交线终点坐标");
  cursor.move(1, -7);
  cursor.writeAcross({"X", "Y", "Z", "X", "Y", "Z", "X", "Y", "Z"});
  cursor.move(1, -8);

  for (const CrossingRow& row : table) {
    bool first = true;
    for (const Point3* point : {&row.intersection, &row.start, &row.end}) {
      for (double value : *point) {
        if (!first) cursor.move(0, 1);
        first = false;
        cursor.writeNumber(value);
      }
    }
    cursor.move(1, -8);
  }
}

}  // namespace plotmate
