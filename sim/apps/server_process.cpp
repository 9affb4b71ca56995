#include "sim/apps/server_process.h"

#include "hosts/com/bstr.h"
#include "sim/apps/progid_registration.h"

namespace plotmate::sim {

std::wstring besideThisProgram(const std::wstring& relative) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.erase(path.find_last_of(L"\\/") + 1);
  return path + relative;
}

ServerProcess::ServerProcess(const std::wstring& exe, std::string progId, std::string clsid,
                             const std::wstring& options)
    : progId_(std::move(progId)) {
  if (!registerProgId(progId_, clsid)) return;
  // The lifetime ends a server that outlives a crashed starter.
  std::wstring command = L"\"" + exe + L"\" --progid " + com::toWide(progId_) + L" --clsid " +
                         com::toWide(clsid) + L" --lifetime 300" +
                        (options.empty() ? L"" : L" " + options);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
}

ServerProcess::~ServerProcess() {
  kill();
  unregisterProgId(progId_);
}

bool ServerProcess::waitForExit(std::chrono::milliseconds limit) {
  if (!process_) return true;
  return WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

void ServerProcess::kill() {
  if (!process_) return;
  if (!waitForExit(std::chrono::milliseconds(0))) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
  process_ = nullptr;
}

}  // namespace plotmate::sim
