// simctl.exe: the harness's handle on the stand-in servers.
//
//   simctl wait PROGID SECONDS   exit 0 once PROGID answers in the Running Object Table
//   simctl quit PROGID SECONDS   say "Quit" to PROGID and wait until it has left the table
//                                (exit 0 also when it was not running)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "hosts/com/apartment.h"
#include "hosts/com/com_broker.h"
#include "hosts/dispatch.h"
#include "sim/apps/attach_wait.h"

namespace {

using namespace plotmate;

int waitFor(com::ComHostBroker& broker, const std::string& progId, std::chrono::seconds limit) {
  auto host = sim::attachWhenUp(broker, progId, limit);
  if (host) return 0;
  std::fprintf(stderr, "%s did not answer: %s\n", progId.c_str(), host.error().description.c_str());
  return 1;
}

int quit(com::ComHostBroker& broker, const std::string& progId, std::chrono::seconds limit) {
  auto host = broker.findRunning(progId);
  if (!host) return 0;
  (*host)->call("Quit");  // the reply may not come back from a server on its way out
  host->reset();
  if (sim::waitUntilGone(broker, progId, limit)) return 0;
  std::fprintf(stderr, "%s did not quit\n", progId.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: simctl wait|quit PROGID SECONDS\n");
    return 2;
  }
  const std::string verb = argv[1], progId = argv[2];
  const std::chrono::seconds limit(std::atoi(argv[3]));
  com::ComApartment apartment;
  if (!apartment.ok()) return 1;
  // A server told to quit must not keep the harness waiting on a busy act.
  com::ComHostBroker broker(BusyRetryBound{std::chrono::milliseconds(2000)});
  if (verb == "wait") return waitFor(broker, progId, limit);
  if (verb == "quit") return quit(broker, progId, limit);
  std::fprintf(stderr, "unknown command %s\n", verb.c_str());
  return 2;
}
