#pragma once
// The body of a stand-in server executable: registers its ProgID on request,
// otherwise publishes the host in the Running Object Table and serves calls
// until "Quit", Ctrl+C, or the end of its lifetime.
//
//   acadsim.exe --register | --unregister
//   acadsim.exe [--profile ID] --register | --unregister
//   acadsim.exe [--profile ID] [--progid NAME --clsid {GUID}] [--lifetime SECONDS] [--visible] [FILE...]
//
// --profile poses as another program (sim/host_profile.h: "zwcad", "wps",
// ...; today's AutoCAD or Excel without it): its class names, its window
// title, what Name and HWND answer, and its known differences.
// --progid/--clsid serve under another name (tests start private instances);
// --lifetime makes a server that nobody stops end by itself; FILEs are what
// the host loads (a drawing, a sheet); --visible shows the host in a window
// of its own (without it the server has none, as tests and benchmarks run it).

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/apps/server_control.h"
#include "sim/host_profile.h"

namespace plotmate::sim {

struct ServerIdentity {
  std::string progId;
  std::string clsid;  // "{...}"
  std::optional<HostKind> kind;  // none: a server that poses as no host program
};

struct ServerArguments {
  ServerIdentity identity;
  const HostProfile* profile = nullptr;
  // The class names registered: --progid's, else the profile's.
  std::vector<std::string> progIds;
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
