#include "pline/crossings.h"

#include <string>

#include "hosts/broker.h"
#include "pline/point_list.h"

namespace plotmate {

namespace {

constexpr std::int16_t kEntityTypeCode = 0;
constexpr std::string_view kLineType = "Line";
constexpr std::int16_t kNoExtension = 0;

// "SSET" as it stands, or newly added when the drawing has none yet.
Result<AcadSelectionSet> crossingSet(const AcadDocument& document) {
  PLOTMATE_TRY(sets, document.selectionSets());
  if (auto set = sets->item(std::string(kCrossingSetName))) return *set;
  return sets->add(std::string(kCrossingSetName));
}

// World to user: here when the system is known, else one host call that may fail.
Result<Point3> toUser(const AcadUtility& utility, const CoordinateFrame* userSystem,
                      const Point3& world) {
  if (userSystem) return FromWorld(*userSystem, world);
  return utility.translateCoordinates(world, kWorld, kUser, false);
}

}  // namespace

std::expected<CrossingTable, MissingMember> CollectCrossings(const AcadDocument& document, const AcadUtility& utility,
                               const CoordinateFrame* userSystem, const AcadEntity& polyline,
                               const std::vector<double>& fence, Platform* report) {
  auto refused = [&](RefusedKind kind, std::string item, const Error& error) {
    if (report) report->stepRefused(HostKind::Drawing, {kind, std::move(item)}, error);
  };
  // A set that can neither be found nor made: no crossing line is recorded.
  auto set = crossingSet(document);
  if (!set) {
    refused(RefusedKind::Other, "选择集 SSET 未能取得，没有找交线", set.error());
    return {};
  }
  if (auto cleared = set->clear(); !cleared)
    refused(RefusedKind::Other, "选择集 SSET 未清空，交线表可能含有上次的直线", cleared.error());
  // A failed selection finds no line, as the empty one does.
  (void)set->selectByPolygon(kSelectFence, fence, kEntityTypeCode, std::string(kLineType));

  std::int32_t count = 0;
  auto counted = [&] {
    if (auto n = set->count())
      count = *n;
    else
      refused(RefusedKind::Other, "交线的条数未读到", n.error());
  };
  counted();
  if (count <= 0) return {};
  // The polyline is no crossing line; when it is not in the set this fails, harmlessly.
  (void)set->removeItems({polyline});
  counted();
  if (count <= 0) return {};

  CrossingTable table(static_cast<std::size_t>(count));
  // What each action produced last: a failed one leaves it as it was.
  std::vector<double> meeting;
  Point3 intersection{}, start{}, end{};
  for (std::int32_t i = 0; i < count; ++i) {
    // Every refused read of the row is told, each a step of its own.
    auto check = [&](const auto& result) -> const auto& {
      if (!result) refused(RefusedKind::CrossingRead, std::to_string(i + 1), result.error());
      return result;
    };
    // A read the table cannot do without: kept, or told as refused; a host
    // without the member ends the table instead, said once by the caller.
    auto essential = [&](const auto& result, std::string_view member,
                         auto& slot) -> std::optional<MissingMember> {
      if (result)
        slot = *result;
      else if (LacksMember(result.error()))
        return MissingMember{member, result.error()};
      else
        check(result);
      return std::nullopt;
    };
    AcadEntity line;
    if (auto item = check(set->item(i))) line = *item;
    if (line)
      if (auto missing = essential(line.intersectWith(polyline, kNoExtension), kIntersectWith, meeting))
        return std::unexpected(*missing);
    // No meeting point, as an empty value or a list of none: the row stays zero.
    auto first = FirstPoint(meeting);
    if (first) {
      // Only the first point counts when the line meets the polyline more than once.
      if (auto missing = essential(toUser(utility, userSystem, *first), kTranslateCoordinates, intersection))
        return std::unexpected(*missing);
      if (line) {
        if (auto p = check(line.startPoint()))
          if (auto s = check(toUser(utility, userSystem, *p))) start = *s;
        if (auto p = check(line.endPoint()))
          if (auto e = check(toUser(utility, userSystem, *p))) end = *e;
      }
      table[static_cast<std::size_t>(i)] = {intersection, start, end};
    }
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
