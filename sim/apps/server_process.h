#pragma once
// For tests and benchmarks: a stand-in server started as a process of our own
// under a ProgID of our own, so its starter may close or kill it. The
// destructor ends it whatever happened and removes its ProgID.

#include <windows.h>

#include <chrono>
#include <string>

namespace plotmate::sim {

// A path relative to the folder of the running executable.
std::wstring besideThisProgram(const std::wstring& relative);

class ServerProcess {
 public:
  // `options` are added to the server's command line (e.g. L"--visible").
  ServerProcess(const std::wstring& exe, std::string progId, std::string clsid,
                const std::wstring& options = L"");
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;
  ~ServerProcess();

  bool started() const { return process_ != nullptr; }
  DWORD processId() const { return process_ ? GetProcessId(process_) : 0; }
  const std::string& progId() const { return progId_; }
  bool waitForExit(std::chrono::milliseconds limit);
  void kill();

 private:
  std::string progId_;
  HANDLE process_ = nullptr;
};

}  // namespace plotmate::sim
