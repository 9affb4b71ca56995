// testsim.exe: the COM layer's own test host as a server, found under
// "Plotmate.TestHost": every kind of value, by-reference outputs, errors and
// object identity, for the cross-process tests and the call-cost benchmark.

#include "sim/apps/host_server.h"
#include "sim/apps/test_host.h"

namespace {

const plotmate::sim::ServerIdentity kIdentity{"Plotmate.TestHost",
                                              "{6A0E3C52-93D4-4F0B-8C1E-2B7D5A4F9E31}", std::nullopt};

plotmate::Result<plotmate::sim::ServedHost> makeHost(const plotmate::sim::ServerArguments&) {
  return plotmate::sim::makeTestHost("TestHost");
}

}  // namespace

int main() { return plotmate::sim::runHostServer(kIdentity, makeHost); }
