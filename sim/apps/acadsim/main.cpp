// acadsim.exe: the drawing-host stand-in as a COM server, found by clients
// under "AutoCAD.Application" (or a compatible program's class names with
// --profile). A DXF file on the command line is the open drawing; --visible
// shows it in a window.

#include <memory>

#include "sim/apps/drawing_window.h"
#include "sim/apps/host_server.h"
#include "sim/apps/server_main_window.h"
#include "sim/apps/standin_server.h"
#include "sim/drawing/dxf_writer.h"
#include "sim/state/drawing_io.h"
#include "sim/state/host_state.h"

namespace {

using namespace plotmate;
namespace fs = std::filesystem;

// Our own CLSID: the stand-in never claims the real product's.
const sim::ServerIdentity kIdentity{"AutoCAD.Application",
                                    "{2EE25857-4105-4DE5-A87B-3E1C7B81F559}", HostKind::Drawing};

// The window of a visible server; every host loaded is shown in it.
std::unique_ptr<sim::DrawingWindow> window;
// The window the host reports as its main window, titled as the profile's program.
std::unique_ptr<sim::ServerMainWindow> mainWindow;

Result<void> saveDrawing(const sim::DrawingSession& session, const fs::path& path) {
  PLOTMATE_RETURN_IF_FAILED(sim::saveDxf(session.drawing, path));
  return {};
}

// The DXF the drawing came from, else the drawing's name as a DXF in the
// working folder.
fs::path drawingFile(const scenario::Json& loaded, const fs::path& folder, const sim::DrawingSession& session) {
  if (loaded.contains("drawing") && loaded["drawing"].contains("dxf"))
    return folder / fs::path(std::u8string(reinterpret_cast<const char8_t*>(loaded["drawing"]["dxf"].get<std::string>().c_str())));
  return fs::current_path() / fs::path(session.documentName).replace_extension(".dxf");
}

void showInWindow(const scenario::DrawingHost& host, const scenario::Json& loaded, const fs::path& folder) {
  const auto& session = host.acad.session;
  const fs::path file = drawingFile(loaded, folder, *session);
  window->show(session, host.acad.context,
               {file, [session](const fs::path& path) { return saveDrawing(*session, path); }});
}

sim::StandInSlot drawingSlot(const scenario::Json& loaded, const fs::path& folder) {
  auto host = std::make_shared<scenario::DrawingHost>(scenario::drawingHostFromJson(loaded, folder));
  mainWindow->pose(*host->acad.context);
  const auto name = drawingFile(loaded, folder, *host->acad.session).filename().u8string();
  mainWindow->retitle(std::string(name.begin(), name.end()));
  if (window) showInWindow(*host, loaded, folder);
  return {host->acad.application, host->acad.context,
          [host] { return scenario::drawingHostState(*host); },
          [host](const fs::path& path) { return saveDrawing(*host->acad.session, path); },
          [host](const scenario::Json& picks) { scenario::queuePicks(picks, *host->acad.session); }};
}

Result<sim::ServedHost> makeHost(const sim::ServerArguments& args) {
  if (args.visible) window = std::make_unique<sim::DrawingWindow>();
  mainWindow = std::make_unique<sim::ServerMainWindow>(*args.profile, window ? window->window() : nullptr);
  PLOTMATE_TRY(start, sim::startingStandIn(drawingSlot, args.files, "drawing", "dxf"));
  return sim::serveStandIn(std::move(*start), drawingSlot);
}

}  // namespace

int main() { return sim::runHostServer(kIdentity, makeHost); }
