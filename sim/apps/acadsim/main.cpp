// acadsim.exe: the drawing-host stand-in as a COM server, found by clients
// under "AutoCAD.Application". A DXF file on the command line is the open drawing.

#include "sim/apps/host_server.h"
#include "sim/apps/standin_server.h"
#include "sim/drawing/dxf_writer.h"
#include "sim/state/drawing_io.h"
#include "sim/state/host_state.h"

namespace {

using namespace plotmate;

// Our own CLSID: the stand-in never claims the real product's.
const sim::ServerIdentity kIdentity{"AutoCAD.Application",
                                    "{2EE25857-4105-4DE5-A87B-3E1C7B81F559}"};

Result<void> saveDrawing(const sim::DrawingSession& session, const std::filesystem::path& path) {
  auto saved = sim::saveDxf(session.drawing, path);
  if (!saved) return std::unexpected(saved.error());
  return {};
}

sim::StandInSlot drawingSlot(const scenario::Json& spec, const std::filesystem::path& folder) {
  auto host = std::make_shared<scenario::DrawingHost>(scenario::drawingHostFromJson(spec, folder));
  return {host->acad.application, host->acad.context,
          [host] { return scenario::drawingHostState(*host); },
          [host](const std::filesystem::path& path) { return saveDrawing(*host->acad.session, path); },
          [host](const scenario::Json& picks) { scenario::queuePicks(picks, *host->acad.session); }};
}

Result<sim::ServedHost> makeHost(const sim::ServerArguments& args) {
  auto start = sim::startingStandIn(drawingSlot, args.files, "drawing", "dxf");
  if (!start) return std::unexpected(start.error());
  return sim::serveStandIn(std::move(*start), drawingSlot);
}

}  // namespace

int main() { return sim::runHostServer(kIdentity, makeHost); }
