#include "pline/polyline_to_sheet.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "pline/crossings.h"
#include "pline/drawing_access.h"
#include "pline/point_list.h"

namespace plotmate {

namespace {

// Appends one record (X, Y, Z) per vertex to the run's block of the output
// file. A write that fails ends the output with the file's own message: the
// records already written stay, nothing is written out of order.
void writeVertexRecords(OutputFile& file, std::vector<Point3>& vertices, Platform& platform) {
  for (Point3& vertex : vertices) {
    if (auto written = file.writeRecord(vertex); !written) {
      platform.messageBox(written.error().description);
      return;
    }
  }
  if (auto closed = file.close(); !closed) platform.messageBox(closed.error().description);
}

}  // namespace

std::size_t VertexCount(std::string_view objectName, std::size_t listLength) {
  if (objectName == kPolyline3d || objectName == kPolyline2d) return listLength / 3;
  if (objectName == kLightweightPolyline) return listLength / 2;
  return 0;
}

namespace {

// One Coordinates read for every vertex, translated here with the user
// system read once. Nothing when a read fails or the values are no system:
// the caller then takes the vertices call by call.
std::optional<PolylineVertices> readVerticesInBulk(const CoordinateFrame* userSystem,
                                                   const AcadEntity& polyline) {
  if (!userSystem) return std::nullopt;
  auto list = polyline.coordinates();
  if (!list) return std::nullopt;
  auto name = polyline.objectName();
  if (!name) return std::nullopt;
  const std::size_t count = VertexCount(*name, list->size());
  PolylineVertices out;
  if (count == 0) return out;
  const bool ownSystem = *name == kLightweightPolyline || *name == kPolyline2d;
  std::optional<CoordinateFrame> entitySystem;
  double elevation = 0;
  if (ownSystem) {
    auto z = polyline.elevation();
    auto normal = polyline.normal();
    if (!z || !normal) return std::nullopt;
    elevation = *z;
    entitySystem = EntitySystem(*normal);
    if (!entitySystem) return std::nullopt;  // the host refuses such a normal: say so call by call
  }
  const std::size_t stride = *name == kLightweightPolyline ? 2 : 3;
  out.user.reserve(count);
  out.fence.reserve(3 * count);
  for (std::size_t i = 0; i < count; ++i) {
    const double* v = list->data() + stride * i;
    // X and Y in the polyline's own system at its Elevation, or a world point.
    const Point3 world = entitySystem ? ToWorld(*entitySystem, {v[0], v[1], elevation})
                                      : Point3{v[0], v[1], v[2]};
    out.user.push_back(FromWorld(*userSystem, world));
    out.fence.insert(out.fence.end(), world.begin(), world.end());
  }
  return out;
}

PolylineVertices readVerticesCallByCall(const AcadUtility& utility, const AcadEntity& polyline,
                                        Platform* report) {
  std::size_t listLength = 0;
  std::string kind;
  // The vertex list or the kind unread: then no vertex at all. Another kind
  // of entity has no vertex list, and that is no refusal.
  auto list = polyline.coordinates();
  if (list) listLength = list->size();
  auto name = polyline.objectName();
  if (name) kind = *name;
  std::optional<Error> unread;
  if (!name)
    unread = name.error();
  else if (!list && VertexCount(kind, 6) > 0)
    unread = list.error();
  if (unread && report)
    report->stepRefused(HostKind::Drawing, {RefusedKind::Other, "多义线的顶点未读到，表中没有顶点"},
                        *unread);
  // Vertex indices cross the boundary as 32-bit integers.
  const auto count = static_cast<std::int32_t>(std::min<std::size_t>(
      VertexCount(kind, listLength), std::numeric_limits<std::int32_t>::max()));
  const bool ownSystem = kind == kLightweightPolyline || kind == kPolyline2d;

  PolylineVertices out;
  out.user.reserve(static_cast<std::size_t>(count));
  out.fence.reserve(3 * static_cast<std::size_t>(count));
  // What each action produced last: a failed one leaves it as it was.
  Point3 p{}, user{}, world{};
  std::optional<MissingMember> missing;
  for (std::int32_t i = 0; i < count; ++i) {
    // Every refused read of the vertex is told, each a step of its own; a host
    // without TranslateCoordinates ends the reading instead (no vertex can be
    // translated).
    auto check = [&](const auto& result) -> const auto& {
      if (!result && LacksMember(result.error()))
        missing = MissingMember{kTranslateCoordinates, result.error()};
      else if (!result && report)
        report->stepRefused(HostKind::Drawing, {RefusedKind::VertexRead, std::to_string(i + 1)},
                            result.error());
      return result;
    };
    if (ownSystem) {
      // X and Y in the polyline's own system; its height is the Elevation
      // (the Z an old-style polyline reports with each vertex is not).
      if (auto c = check(polyline.coordinate(i)); c && c->size() >= 2)
        p = *FirstPoint(WidenTo3D(std::span<const double>(*c).first(2)));
      if (auto z = check(polyline.elevation())) p[2] = *z;
      if (auto normal = check(polyline.normal())) {
        if (auto q = check(utility.translateCoordinates(p, kEntity, kUser, false, *normal)))
          user = *q;
        if (auto w = check(utility.translateCoordinates(p, kEntity, kWorld, false, *normal)))
          world = *w;
      }
    } else {
      if (auto c = check(polyline.coordinate(i)))
        if (auto point = FirstPoint(*c)) p = *point;
      world = p;
      if (auto q = check(utility.translateCoordinates(p, kWorld, kUser, false))) user = *q;
    }
    if ((out.missing = missing)) return out;
    out.user.push_back(user);
    out.fence.insert(out.fence.end(), world.begin(), world.end());
  }
  return out;
}

}  // namespace

PolylineVertices ReadVertices(const AcadUtility& utility, const CoordinateFrame* userSystem,
                              const AcadEntity& polyline, Platform* report) {
  if (auto bulk = readVerticesInBulk(userSystem, polyline)) return std::move(*bulk);
  return readVerticesCallByCall(utility, polyline, report);
}

void WriteVertexTable(SheetCursor& cursor, std::span<const Point3> vertices) {
  cursor.move(0, 1);
  cursor.write("PLine顶点坐标");
  cursor.move(1, -1);
  cursor.writeAcross({"X", "Y", "Z"});
  cursor.move(1, -2);
  for (const Point3& vertex : vertices) {
    cursor.writeNumber(vertex[0]);
    cursor.move(0, 1);
    cursor.writeNumber(vertex[1]);
    cursor.move(0, 1);
    cursor.writeNumber(vertex[2]);
    cursor.move(1, -2);
  }
}

void PolylineToSheet(const HostSession& hosts, Platform& platform, Settings settings,
                     const MainForm& form, const std::filesystem::path& outputFile) {
  const std::int16_t decimals = settings.PREC;
  const bool toFile = hosts.ExcelMissing != 0 || !hosts.ExcelApp;

  // Both before anything is written, so a run that cannot start leaves no trace.
  auto utility = DocumentUtility(hosts, platform);
  if (!utility) return;
  std::optional<OutputFile> file;
  if (toFile) {
    auto opened = OutputFile::open(outputFile, decimals);
    if (!opened) {
      platform.messageBox(opened.error().description);
      return;
    }
    file.emplace(std::move(*opened));
  }

  // From here on a failing host action is dropped; only the pick is tested.
  platform.activateWindow(kAcadWindowTitle);
  auto pick = utility->getEntity(std::string(kPickPolylinePrompt));
  if (!pick) {
    platform.messageBox(kPickFailedMessage, kPickFailedTitle);
    if (file) (void)file->close();
    return;
  }

  // Once per run: with it every translation is made here instead of by the host.
  const AcadDocument document(hosts.AcadDoc);
  const auto userSystem = ReadUserSystem(document);
  const CoordinateFrame* frame = userSystem ? &*userSystem : nullptr;
  PolylineVertices vertices = ReadVertices(*utility, frame, pick->entity, &platform);
  // The search runs whatever the output: it also refreshes the selection set.
  // A host without a member the run needs: nothing written, and said why.
  auto endWithout = [&](const MissingMember& missing) {
    platform.messageBox(MissingMemberMessage(missing.member, missing.error));
    if (file) (void)file->close();
  };
  if (vertices.missing) return endWithout(*vertices.missing);
  auto search = CollectCrossings(document, *utility, frame, pick->entity, vertices.fence, &platform);
  // Only the crossing table needs the crossings: without it the run goes on.
  if (!search && !file && form.chkboolIntersect != 0) return endWithout(search.error());
  CrossingTable crossings = search ? std::move(*search) : CrossingTable{};
  if (settings.YOX == 1) {
    for (Point3& vertex : vertices.user) SwapXY(vertex);
    for (CrossingRow& row : crossings) {
      SwapXY(row.intersection);
      SwapXY(row.start);
      SwapXY(row.end);
    }
  }

  if (file) {
    writeVertexRecords(*file, vertices.user, platform);
    return;
  }
  // Both tables as one: the crossing table starts where the vertex table
  // ends, and either both fit or neither is written.
  ExcelApp excel(hosts.ExcelApp);
  SheetCursor tables(decimals);
  WriteVertexTable(tables, vertices.user);
  if (form.chkboolIntersect != 0) WriteCrossingTable(tables, crossings);
  if (auto noRoom = WriteTableWhereItFits(excel, tables.script(), platform))
    platform.messageBox(*noRoom);
}

}  // namespace plotmate
