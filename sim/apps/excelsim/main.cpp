// excelsim.exe: the worksheet-host stand-in as a COM server, found by clients
// under "Excel.Application". A CSV file on the command line is the open sheet.

#include "sim/apps/host_server.h"
#include "sim/apps/standin_server.h"
#include "sim/sheet/sheet_csv.h"
#include "sim/state/host_state.h"

namespace {

using namespace plotmate;

// Our own CLSID: the stand-in never claims the real product's.
const sim::ServerIdentity kIdentity{"Excel.Application", "{BB3D2F84-4085-40C4-A275-3A3956610280}"};

sim::StandInSlot sheetSlot(const scenario::Json& spec, const std::filesystem::path& folder) {
  auto host = std::make_shared<scenario::SheetHost>(scenario::sheetHostFromJson(spec, folder));
  return {host->excel.application, host->excel.context,
          [host] { return scenario::sheetHostState(*host); },
          [host](const std::filesystem::path& path) { return sim::saveCsvFile(*host->sheet, path); },
          nullptr};
}

Result<sim::ServedHost> makeHost(const sim::ServerArguments& args) {
  auto start = sim::startingStandIn(sheetSlot, args.files, "sheet", "csv");
  if (!start) return std::unexpected(start.error());
  return sim::serveStandIn(std::move(*start), sheetSlot);
}

}  // namespace

int main() { return sim::runHostServer(kIdentity, makeHost); }
