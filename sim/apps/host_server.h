#pragma once
// The body of a stand-in server executable: registers its ProgID on request,
// otherwise publishes the host in the Running Object Table and serves calls
// until "Quit", Ctrl+C, or the end of its lifetime.
//
//   acadsim.exe --register | --unregister
//   acadsim.exe [--progid NAME --clsid {GUID}] [--lifetime SECONDS] [--visible] [FILE...]
//
// --progid/--clsid serve under another name (tests start private instances);
// --lifetime makes a server that nobody stops end by itself; FILEs are what
// the host loads (a drawing, a sheet); --visible shows the host in a window
// of its own (without it the server has none, as tests and benchmarks run it).

#include <functional>
#include <string>
#include <vector>

#include "sim/apps/server_control.h"

namespace plotmate::sim {

struct ServerIdentity {
  std::string progId;
  std::string clsid;  // "{...}"
};

struct ServerArguments {
  ServerIdentity identity;
  bool registerOnly = false;
  bool unregisterOnly = false;
  bool visible = false;
  unsigned lifetimeSeconds = 0;  // 0: until told to quit
  std::vector<std::string> files;
};

Result<ServerArguments> parseServerArguments(ServerIdentity defaults,
                                             const std::vector<std::string>& words);

using HostFactory = std::function<Result<ServedHost>(const ServerArguments&)>;

// Reads the process's own command line (as UTF-16, so file names keep every
// character). Returns the exit code; every failure is reported on stderr.
int runHostServer(ServerIdentity defaults, const HostFactory& makeHost);

}  // namespace plotmate::sim
