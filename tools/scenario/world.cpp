#include "tools/scenario/world.h"

#include <algorithm>
#include <fstream>

#include "format/output_file.h"
#include "hosts/host_programs.h"
#include "hosts/host_window.h"
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
  for (auto kind : {HostKind::Drawing, HostKind::Spreadsheet}) {
    const auto& served = remote->profile(kind).progIds;
    const bool ofKind = std::any_of(hostPrograms(kind).begin(), hostPrograms(kind).end(),
                                    [&](const HostProgram& program) { return program.progId == progId; });
    if (ofKind && (absent.contains(kind) || std::find(served.begin(), served.end(), progId) == served.end()))
      return std::unexpected(sim::notRunningError());
  }
  return remote->broker().findRunning(progId);
}

namespace {

enum class CallReport { None, Lines, Counts, Failed };

// "reportCalls": true lists every call; "count" gives only their numbers
// (for runs too long to list); "failed" only the failed calls, numbered.
CallReport callReport(const Json& spec) {
  const Json option = spec.value("reportCalls", Json(false));
  if (option == Json("count")) return CallReport::Counts;
  if (option == Json("failed")) return CallReport::Failed;
  if (option.is_boolean()) return option.get<bool>() ? CallReport::Lines : CallReport::None;
  scenarioError("reportCalls: true, false, \"count\" or \"failed\"");
}

// The in-process hosts keep only the calls the report shows.
sim::KeptCalls keptCalls(CallReport report) {
  if (report == CallReport::Lines) return sim::KeptCalls::All;
  if (report == CallReport::Failed) return sim::KeptCalls::Failed;
  return sim::KeptCalls::None;
}

// A host's calls as the scenario asks for them, from the in-process host's
// log, or from the lines a server reported.
Json callsAsked(CallReport report, const sim::CallLog* log, const Json& lines) {
  if (report == CallReport::Lines) return lines;
  if (report == CallReport::Counts) return log ? Json(log->callCount()) : Json(lines.size());
  if (log) return failedCallsJson(*log);
  Json failed = Json::array();
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].get<std::string>().ends_with("FAILED"))
      failed.push_back(std::to_string(i + 1) + ": " + lines[i].get<std::string>());
  return failed;
}

}  // namespace

std::unique_ptr<World> buildWorld(Context& context) {
  auto world = std::make_unique<World>();
  const Json& spec = context.spec;
  auto sheetHost = sheetHostFromJson(spec, context.sourceDir);
  world->sheet = sheetHost.sheet;
  world->excel = sheetHost.excel;
  auto drawingHost = drawingHostFromJson(spec, context.sourceDir);
  world->acad = drawingHost.acad;
  world->drawingNotes = drawingHost.notes;
  const sim::KeptCalls kept = keptCalls(callReport(spec));
  world->excel.context->log.keep(kept);
  world->acad.context->log.keep(kept);

  if (context.remote) {
    context.remote->load(spec, context.sourceDir);
    world->broker.remote = context.remote.get();
  }
  for (auto [host, progId] : {std::pair{"excel", kExcelProgId}, std::pair{"acad", kAcadProgId}}) {
    if (!hostRunning(spec, host))
      world->broker.absent.insert(progId == kExcelProgId ? HostKind::Spreadsheet : HostKind::Drawing);
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
// "reportEntities": false leaves the drawing's entities out.
Json hostState(Context& context, const World& world, std::string_view progId) {
  if (context.remote) return context.remote->state(progId == kExcelProgId ? HostKind::Spreadsheet : HostKind::Drawing);
  if (progId == kExcelProgId) return sheetHostState({world.sheet, world.excel});
  return drawingHostState({world.acad, world.drawingNotes},
                          context.spec.value("reportEntities", true));
}

}  // namespace

namespace {

// Over COM, each window a tool brought forward without a title match is the
// attached host's own main window, found by the handle the host reports:
// on this desktop, and titled as the program the server poses as titles
// its own (whatever the document's name).
void checkActivatedWindows(const Context& context, const World& world) {
  for (const auto& title : world.desktop.activatedWindows) {
    const auto handle = attachedHostWindow(world.session, title);
    if (!handle) continue;  // the host the run attached to is gone
    const HostKind kind = title == kAcadWindowTitle ? HostKind::Drawing : HostKind::Spreadsheet;
    const std::string_view pattern = context.remote->profile(kind).title;
    const auto name = std::min(pattern.find("NAME"), pattern.size());
    const auto shown = context.remote->windowTitle(*handle);
    if (!shown || !shown->starts_with(pattern.substr(0, name)) ||
        !shown->ends_with(pattern.substr(std::min(name + 4, pattern.size()))))
      scenarioError("\"" + title + "\" brought forward " + (shown ? "\"" + *shown + "\"" : "no window of this desktop"));
  }
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
  if (calls != CallReport::None) {
    const bool here = !context.remote;
    context.result["calls"] = {
        {"excel", callsAsked(calls, here ? &world.excel.context->log : nullptr, sheet["calls"])},
        {"acad", callsAsked(calls, here ? &world.acad.context->log : nullptr, drawing["calls"])}};
  }
  // After the hosts' logs are read: the check asks the hosts for their windows.
  if (context.remote) checkActivatedWindows(context, world);
}

}  // namespace plotmate::scenario
