#include "sim/state/host_state.h"

#include <cstdint>

#include "sim/state/drawing_io.h"
#include "sim/state/sheet_io.h"

namespace plotmate::scenario {

namespace {

// "faults": [{"host": "excel", "object": "Range", "member": "Value", "nth": 2,
//             "code": -2147467259, "description": "..."}]
void addFaults(const Json& spec, const char* host, sim::HostContext& context) {
  if (!spec.contains("faults")) return;
  for (const auto& fault : spec["faults"]) {
    if (fault.value("host", std::string()) != host) continue;
    sim::FaultRule rule;
    rule.object = fault.value("object", std::string());
    rule.member = fault.at("member").get<std::string>();
    if (fault.contains("nth"))
      rule.nth = static_cast<std::size_t>(wholeNumber(fault["nth"], "faults: nth", 0, INT32_MAX));
    if (fault.contains("code"))
      rule.error.code = static_cast<std::int32_t>(wholeNumber(fault["code"], "faults: code", INT32_MIN, INT32_MAX));
    rule.error.description = fault.value("description", std::string("Unspecified error"));
    context.faults.add(rule);
  }
}

// "profiles": {"acad": "intellicad", "excel": "wps"}: the program the host
// poses as, with its differences (sim/host_profile.h); the host is still
// found under AutoCAD's or Excel's class name.
void setProfile(const Json& spec, const char* host, HostKind kind, sim::HostContext& context) {
  if (!spec.contains("profiles") || !spec["profiles"].contains(host)) return;
  const std::string id = spec["profiles"][host].get<std::string>();
  const sim::HostProfile* profile = sim::findProfile(id);
  if (!profile || profile->kind != kind) scenarioError("profiles: no " + std::string(host) + " profile \"" + id + "\"");
  context.profile = profile;
}

}  // namespace

SheetHost sheetHostFromJson(const Json& spec, const std::filesystem::path& sourceDir) {
  SheetHost host;
  host.sheet = std::make_shared<sim::Worksheet>(
      sheetFromJson(spec.value("sheet", Json::object()), sourceDir));
  host.excel = sim::makeExcelStandIn(host.sheet);
  addFaults(spec, "excel", *host.excel.context);
  setProfile(spec, "excel", HostKind::Spreadsheet, *host.excel.context);
  return host;
}

DrawingHost drawingHostFromJson(const Json& spec, const std::filesystem::path& sourceDir) {
  DrawingHost host;
  auto session = std::make_shared<sim::DrawingSession>();
  host.notes = loadDrawing(spec, sourceDir, *session);
  host.acad = sim::makeAcadStandIn(session);
  addFaults(spec, "acad", *host.acad.context);
  setProfile(spec, "acad", HostKind::Drawing, *host.acad.context);
  return host;
}

Json sheetHostState(const SheetHost& host) {
  return {{"sheet", sheetJson(*host.sheet)}, {"calls", callsJson(host.excel.context->log)}};
}

Json drawingHostState(const DrawingHost& host, bool entities) {
  Json drawing = drawingJson(*host.acad.session, entities);
  if (!host.notes.empty()) drawing["notes"] = host.notes;
  return {{"drawing", drawing}, {"calls", callsJson(host.acad.context->log)}};
}

namespace {

std::string callLine(const sim::CallRecord& call) {
  std::string line = call.object + "." + call.member + " " + sim::kindName(call.kind);
  if (!call.arguments.empty()) line += " (" + call.arguments + ")";
  if (call.failed) line += " FAILED";
  return line;
}

}  // namespace

Json callsJson(const sim::CallLog& log) {
  Json out = Json::array();
  for (const auto& call : log.entries()) out.push_back(callLine(call));
  return out;
}

Json failedCallsJson(const sim::CallLog& log) {
  Json out = Json::array();
  for (const auto& call : log.entries())
    if (call.failed) out.push_back(std::to_string(call.number) + ": " + callLine(call));
  return out;
}

}  // namespace plotmate::scenario
