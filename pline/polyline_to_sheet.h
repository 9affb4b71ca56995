#pragma once
// "->Excel": the vertices of a picked polyline, in the drawing's current user
// coordinates, written as a table at the worksheet's active cell (or appended
// to the output file when no spreadsheet host is attached), with the lines
// that cross the polyline as a second table when the main window asks for it.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "format/output_file.h"
#include "hosts/acad.h"
#include "hosts/attach.h"
#include "hosts/platform.h"
#include "hosts/user_system.h"
#include "pline/sheet_cursor.h"
#include "shell/main_form.h"
#include "shell/settings.h"

namespace plotmate {

inline constexpr std::string_view kPickPolylinePrompt = "Pick point:";
inline constexpr std::string_view kPickFailedMessage = "Good Bye.";
inline constexpr std::string_view kPickFailedTitle = "GetEntity";

inline constexpr std::string_view kLightweightPolyline = "AcDbPolyline";
inline constexpr std::string_view kPolyline2d = "AcDb2dPolyline";
inline constexpr std::string_view kPolyline3d = "AcDb3dPolyline";

// The number of vertices of an entity of class `objectName` whose Coordinates
// list holds `listLength` numbers; 0 for anything that is no polyline.
std::size_t VertexCount(std::string_view objectName, std::size_t listLength);

struct PolylineVertices {
  std::vector<Point3> user;   // one row per vertex, in the polyline's own order
  std::vector<double> fence;  // the same vertices in world coordinates, three numbers each
  // Set when the host has no TranslateCoordinates and the vertices had to
  // be translated by it: the vertices then are not read.
  std::optional<MissingMember> missing;
};

// Reads every vertex and translates it into the current user system and into
// the world system. Lightweight and old-style 2-D polylines hold their
// vertices in their own system (the plane of their Normal, at their
// Elevation); 3-D polylines hold world points. With the user system known,
// one Coordinates read and local translations; without it, or when a read
// fails, vertex by vertex through the host, where a failed read or
// translation leaves the point as the previous vertex left it (zeros before
// the first).
PolylineVertices ReadVertices(const AcadUtility& utility, const CoordinateFrame* userSystem,
                              const AcadEntity& polyline);

// The vertex table at the active cell: the title one column to the right,
// the "X" "Y" "Z" row, one row per vertex; the active cell ends on the first
// row below, in the table's first column.
void WriteVertexTable(SheetCursor& cursor, std::span<const Point3> vertices);

// One run of "->Excel" with the hosts of the last attach. `settings` is the
// run's copy (PREC, YOX); `form` gives the crossing check box. `outputFile`
// is where records go when ExcelMissing is set.
void PolylineToSheet(
    const HostSession& hosts, Platform& platform, Settings settings, const MainForm& form,
    const std::filesystem::path& outputFile = std::filesystem::path(kOutputFileName));

}  // namespace plotmate
