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

void unregisterQuietly(std::string& progId) {
  if (!progId.empty()) (void)unregisterProgId(progId);
}

ServerProcess::ServerProcess(const std::wstring& exe, std::string progId, std::string clsid,
                             const std::wstring& options) {
  if (!registerProgId(progId, clsid)) return;
  progId_.reset(std::move(progId));
  // The lifetime ends a server that outlives a crashed starter.
  process_ = win32::startChildProcess(L"\"" + exe + L"\" --progid " + com::toWide(progId_.get()) +
                                      L" --clsid " + com::toWide(clsid) + L" --lifetime 300" +
                                      (options.empty() ? L"" : L" " + options));
}

bool ServerProcess::waitForExit(std::chrono::milliseconds limit) {
  if (!process_) return true;
  return WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

}  // namespace plotmate::sim
