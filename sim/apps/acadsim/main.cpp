// acadsim.exe: the drawing-host stand-in as a COM server, found by clients
// under "AutoCAD.Application".

#include "sim/apps/host_server.h"
#include "sim/apps/test_host.h"

namespace {

// Our own CLSID: the stand-in never claims the real product's.
const plotmate::sim::ServerIdentity kIdentity{"AutoCAD.Application",
                                              "{2EE25857-4105-4DE5-A87B-3E1C7B81F559}"};

plotmate::Result<plotmate::sim::ServedHost> makeHost(const plotmate::sim::ServerArguments&) {
  return plotmate::sim::makeTestHost("AutoCAD");
}

}  // namespace

int main() { return plotmate::sim::runHostServer(kIdentity, makeHost); }
