#pragma once
// A scenario's hosts as stand-ins, and their state as JSON: built and read
// the same way by the scenario runner (in-process) and by the stand-in
// servers (over COM), so both report identical results.
//
//   sheet host:   "sheet" and the "faults" for "excel"
//   drawing host: "drawing", "picks" and the "faults" for "acad"
//   state:        {"sheet": ...} or {"drawing": ...}, with "calls" (the call log)

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "sim/drawing/acad_application.h"
#include "sim/sheet/excel_objects.h"
#include "sim/sheet/worksheet.h"
#include "sim/state/state_json.h"

namespace plotmate::scenario {

struct SheetHost {
  std::shared_ptr<sim::Worksheet> sheet;
  sim::ExcelStandIn excel;
};

struct DrawingHost {
  sim::AcadStandIn acad;
  std::vector<std::string> notes;  // what a loaded DXF left out
};

SheetHost sheetHostFromJson(const Json& spec, const std::filesystem::path& sourceDir);
DrawingHost drawingHostFromJson(const Json& spec, const std::filesystem::path& sourceDir);

Json sheetHostState(const SheetHost& host);
// Without `entities`, the drawing's report leaves its entities out (a run
// that only compares the rest need not build them).
Json drawingHostState(const DrawingHost& host, bool entities = true);

// The call log as lines: "Object.Member kind (arguments) FAILED".
Json callsJson(const sim::CallLog& log);
// The failed calls the log kept, each with its number: "15: Range.Address get FAILED".
Json failedCallsJson(const sim::CallLog& log);

}  // namespace plotmate::scenario
