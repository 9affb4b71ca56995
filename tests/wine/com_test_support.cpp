#include "com_test_support.h"

#include "hosts/com/bstr.h"
#include "sim/apps/progid_registration.h"

namespace plotmate::comtest {

namespace {

// The servers are built beside the tests: <build>/tests and <build>/sim/apps.
std::wstring serverPath() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.erase(path.find_last_of(L"\\/") + 1);
  return path + L"..\\sim\\apps\\acadsim.exe";
}

}  // namespace

PrivateServer::PrivateServer(std::string progId, std::string clsid) : progId_(std::move(progId)) {
  if (!sim::registerProgId(progId_, clsid)) return;
  std::wstring command = L"\"" + serverPath() + L"\" --progid " + com::toWide(progId_) +
                         L" --clsid " + com::toWide(clsid) + L" --lifetime 120";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
}

PrivateServer::~PrivateServer() {
  kill();
  sim::unregisterProgId(progId_);
}

bool PrivateServer::waitForExit(std::chrono::milliseconds limit) {
  if (!process_) return true;
  return WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

void PrivateServer::kill() {
  if (!process_) return;
  if (!waitForExit(std::chrono::milliseconds(0))) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
  process_ = nullptr;
}

}  // namespace plotmate::comtest
