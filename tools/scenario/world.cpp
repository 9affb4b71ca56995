#include "tools/scenario/world.h"

#include <fstream>

#include "format/output_file.h"
#include "tools/scenario/remote_hosts.h"
#include "tools/scenario/text_lines.h"
#include "sim/state/host_state.h"

namespace plotmate::scenario {

namespace {

bool hostRunning(const Json& spec, const char* host) {
  return !spec.contains("hosts") || spec["hosts"].value(host, true);
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

}  // namespace

Result<DispatchPtr> ScenarioBroker::findRunning(std::string_view progId) {
  if (!remote) return sim::StandInBroker::findRunning(progId);
  if (absent.contains(progId)) return std::unexpected(sim::notRunningError());
  return remote->findRunning(progId);
}

std::unique_ptr<World> buildWorld(Context& context) {
  auto world = std::make_unique<World>();
  const Json& spec = context.spec;
  auto sheetHost = sheetHostFromJson(spec, context.sourceDir);
  world->sheet = sheetHost.sheet;
  world->excel = sheetHost.excel;
  auto drawingHost = drawingHostFromJson(spec, context.sourceDir);
  world->acad = drawingHost.acad;
  world->drawingNotes = drawingHost.notes;

  if (context.remote) {
    context.remote->load(spec, context.sourceDir);
    world->broker.remote = &context.remote->broker();
  }
  for (auto [host, progId] : {std::pair{"excel", kExcelProgId}, std::pair{"acad", kAcadProgId}}) {
    if (!hostRunning(spec, host))
      world->broker.absent.emplace(progId);
    else if (progId == kExcelProgId)
      world->broker.setRunning(progId, world->excel.application);
    else
      world->broker.setRunning(progId, world->acad.application);
  }

  // What "DistOut.txt" held before the run, as bytes (CR LF written out).
  if (spec.contains("outputFile"))
    std::ofstream(context.workDir / kOutputFileName, std::ios::binary)
        << spec["outputFile"].get<std::string>();
  return world;
}

namespace {

// The hosts' own state: read back from the servers, or taken from the stand-ins.
Json hostState(Context& context, const World& world, std::string_view progId) {
  if (context.remote) return context.remote->state(progId);
  if (progId == kExcelProgId) return sheetHostState({world.sheet, world.excel});
  return drawingHostState({world.acad, world.drawingNotes});
}

}  // namespace

namespace {

enum class CallReport { None, Lines, Counts };

// "reportCalls": true lists every call; "count" gives only their numbers
// (for runs too long to list).
CallReport callReport(const Json& spec) {
  const Json option = spec.value("reportCalls", Json(false));
  if (option == Json("count")) return CallReport::Counts;
  if (option.is_boolean()) return option.get<bool>() ? CallReport::Lines : CallReport::None;
  scenarioError("reportCalls: true, false or \"count\"");
}

}  // namespace

void reportWorld(Context& context, const World& world) {
  const CallReport calls = callReport(context.spec);
  Json sheet = hostState(context, world, kExcelProgId);
  context.result["sheet"] = sheet["sheet"];
  context.result["messages"] = messagesJson(world.desktop);
  if (!world.desktop.activatedWindows.empty())
    context.result["activatedWindows"] = world.desktop.activatedWindows;
  Json drawing = world.session.AcadApp || calls != CallReport::None
                     ? hostState(context, world, kAcadProgId)
                     : Json::object();
  if (world.session.AcadApp) context.result["drawing"] = drawing["drawing"];
  if (const auto file = context.workDir / kOutputFileName; std::filesystem::exists(file))
    context.result["outputFile"] = linesJson(fileBytes(file));
  if (calls == CallReport::Lines)
    context.result["calls"] = {{"excel", sheet["calls"]}, {"acad", drawing["calls"]}};
  if (calls == CallReport::Counts)
    context.result["calls"] = {{"excel", sheet["calls"].size()}, {"acad", drawing["calls"].size()}};
}

}  // namespace plotmate::scenario
