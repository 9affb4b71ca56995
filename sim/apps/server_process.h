#pragma once
// For tests and benchmarks: a stand-in server started as a process of our own
// under a ProgID of our own, so its starter may close or kill it. It is
// ended, whatever happened, and its ProgID removed when its owner goes.

#include <windows.h>

#include <chrono>
#include <string>

#include "base/unique_owner.h"
#include "win32/child_process.h"

namespace plotmate::sim {

// A path relative to the folder of the running executable.
std::wstring besideThisProgram(const std::wstring& relative);

// Removes the ProgID's entries, when there is one.
void unregisterQuietly(std::string& progId);
using RegisteredProgId = UniqueOwner<std::string, &unregisterQuietly>;

class ServerProcess {
 public:
  // `options` are added to the server's command line (e.g. L"--visible").
  ServerProcess(const std::wstring& exe, std::string progId, std::string clsid,
                const std::wstring& options = L"");

  bool started() const { return process_.owns(); }
  DWORD processId() const { return process_ ? GetProcessId(process_.get()) : 0; }
  const std::string& progId() const { return progId_.get(); }
  bool waitForExit(std::chrono::milliseconds limit);
  void kill() { process_.reset(); }

 private:
  // Declared first, so gone last: the server ends before its ProgID goes.
  RegisteredProgId progId_;
  win32::ChildProcess process_;
};

}  // namespace plotmate::sim
