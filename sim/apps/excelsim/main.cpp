// excelsim.exe: the worksheet-host stand-in as a COM server, found by clients
// under "Excel.Application".

#include "sim/apps/host_server.h"
#include "sim/apps/test_host.h"

namespace {

// Our own CLSID: the stand-in never claims the real product's.
const plotmate::sim::ServerIdentity kIdentity{"Excel.Application",
                                              "{BB3D2F84-4085-40C4-A275-3A3956610280}"};

plotmate::Result<plotmate::sim::ServedHost> makeHost(const plotmate::sim::ServerArguments&) {
  return plotmate::sim::makeTestHost("Excel");
}

}  // namespace

int main() { return plotmate::sim::runHostServer(kIdentity, makeHost); }
