#include "tools/scenario/world.h"

#include <fstream>

#include "format/output_file.h"
#include "tools/scenario/drawing_io.h"
#include "tools/scenario/sheet_io.h"
#include "tools/scenario/text_lines.h"

namespace plotmate::scenario {

namespace {

bool hostRunning(const Json& spec, const char* host) {
  return !spec.contains("hosts") || spec["hosts"].value(host, true);
}

// "faults": [{"host": "excel", "object": "Range", "member": "Value", "nth": 2,
//             "code": -2147467259, "description": "..."}]
void addFaults(const Json& spec, const char* host, sim::HostContext& context) {
  if (!spec.contains("faults")) return;
  for (const auto& fault : spec["faults"]) {
    if (fault.value("host", std::string()) != host) continue;
    sim::FaultRule rule;
    rule.object = fault.value("object", std::string());
    rule.member = fault.at("member").get<std::string>();
    rule.nth = fault.value("nth", std::size_t{0});
    rule.error.code = fault.value("code", hr::kFail);
    rule.error.description = fault.value("description", std::string("Unspecified error"));
    context.faults.add(rule);
  }
}

Json messagesJson(const sim::RecordingPlatform& platform) {
  Json out = Json::array();
  for (const auto& m : platform.messages) {
    Json entry = {{"text", m.text}};
    if (!m.title.empty()) entry["title"] = m.title;
    out.push_back(entry);
  }
  return out;
}

Json callsJson(const sim::CallLog& log) {
  Json out = Json::array();
  for (const auto& call : log.entries()) {
    std::string line = call.object + "." + call.member + " " + sim::kindName(call.kind);
    if (!call.arguments.empty()) line += " (" + call.arguments + ")";
    if (call.failed) line += " FAILED";
    out.push_back(line);
  }
  return out;
}

}  // namespace

std::unique_ptr<World> buildWorld(Context& context) {
  auto world = std::make_unique<World>();
  const Json& spec = context.spec;
  world->sheet = std::make_shared<sim::Worksheet>(
      sheetFromJson(spec.value("sheet", Json::object()), context.sourceDir));
  world->excel = sim::makeExcelStandIn(world->sheet);
  addFaults(spec, "excel", *world->excel.context);
  if (hostRunning(spec, "excel")) world->broker.setRunning(kExcelProgId, world->excel.application);

  auto session = std::make_shared<sim::DrawingSession>();
  world->drawingNotes = loadDrawing(spec, context.sourceDir, *session);
  world->acad = sim::makeAcadStandIn(session);
  addFaults(spec, "acad", *world->acad.context);
  if (hostRunning(spec, "acad")) world->broker.setRunning(kAcadProgId, world->acad.application);

  // What "DistOut.txt" held before the run, as bytes (CR LF written out).
  if (spec.contains("outputFile"))
    std::ofstream(context.workDir / kOutputFileName, std::ios::binary)
        << spec["outputFile"].get<std::string>();
  return world;
}

void reportWorld(Context& context, const World& world) {
  context.result["sheet"] = sheetJson(*world.sheet);
  context.result["messages"] = messagesJson(world.platform);
  if (!world.platform.activatedWindows.empty())
    context.result["activatedWindows"] = world.platform.activatedWindows;
  if (world.session.AcadApp) {
    context.result["drawing"] = drawingJson(*world.acad.session);
    if (!world.drawingNotes.empty()) context.result["drawing"]["notes"] = world.drawingNotes;
  }
  if (const auto file = context.workDir / kOutputFileName; std::filesystem::exists(file))
    context.result["outputFile"] = linesJson(fileBytes(file));
  if (context.spec.value("reportCalls", false))
    context.result["calls"] = {{"excel", callsJson(world.excel.context->log)},
                               {"acad", callsJson(world.acad.context->log)}};
}

}  // namespace plotmate::scenario
