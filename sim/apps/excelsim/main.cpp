// excelsim.exe: the worksheet-host stand-in as a COM server, found by clients
// under "Excel.Application" (or WPS's class names with --profile). A CSV file
// on the command line is the open sheet; --visible shows it in a window.

#include <memory>

#include "sim/apps/host_server.h"
#include "sim/apps/server_main_window.h"
#include "sim/apps/sheet_window.h"
#include "sim/apps/standin_server.h"
#include "sim/sheet/sheet_csv.h"
#include "sim/state/host_state.h"

namespace {

using namespace plotmate;
namespace fs = std::filesystem;

// Our own CLSID: the stand-in never claims the real product's.
const sim::ServerIdentity kIdentity{"Excel.Application", "{BB3D2F84-4085-40C4-A275-3A3956610280}",
                                    HostKind::Spreadsheet};

// The window of a visible server; every host loaded is shown in it.
std::unique_ptr<sim::SheetWindow> window;
// The window the host reports as its main window, titled as the profile's program.
std::unique_ptr<sim::ServerMainWindow> mainWindow;

// The CSV the sheet came from, else "Book1.csv" in the working folder.
fs::path sheetFile(const scenario::Json& loaded, const fs::path& folder) {
  if (loaded.contains("sheet") && loaded["sheet"].contains("csv"))
    return folder / fs::path(std::u8string(reinterpret_cast<const char8_t*>(loaded["sheet"]["csv"].get<std::string>().c_str())));
  return fs::current_path() / "Book1.csv";
}

void showInWindow(const scenario::SheetHost& host, const scenario::Json& loaded, const fs::path& folder) {
  if (!host.sheet) return;  // no workbook open: nothing to show
  const fs::path file = sheetFile(loaded, folder);
  window->show(host.sheet, host.excel.context,
               {file, [sheet = host.sheet](const fs::path& path) { return sim::saveCsvFile(*sheet, path); }});
}

sim::StandInSlot sheetSlot(const scenario::Json& loaded, const fs::path& folder) {
  auto host = std::make_shared<scenario::SheetHost>(scenario::sheetHostFromJson(loaded, folder));
  mainWindow->pose(*host->excel.context);
  const auto name = sheetFile(loaded, folder).filename().u8string();
  mainWindow->retitle(std::string(name.begin(), name.end()));
  if (window) showInWindow(*host, loaded, folder);
  return {host->excel.application, host->excel.context,
          [host] { return scenario::sheetHostState(*host); },
          [host](const fs::path& path) { return sim::saveCsvFile(*host->sheet, path); },
          nullptr};
}

Result<sim::ServedHost> makeHost(const sim::ServerArguments& args) {
  if (args.visible) window = std::make_unique<sim::SheetWindow>();
  mainWindow = std::make_unique<sim::ServerMainWindow>(*args.profile, window ? window->window() : nullptr);
  PLOTMATE_TRY(start, sim::startingStandIn(sheetSlot, args.files, "sheet", "csv"));
  return sim::serveStandIn(std::move(*start), sheetSlot);
}

}  // namespace

int main() { return sim::runHostServer(kIdentity, makeHost); }
