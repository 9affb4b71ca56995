#pragma once
// A process this one started and must not leave behind: ended when it is
// still running, and its handle closed, when its owner goes.

#include <windows.h>

#include <string>

#include "base/unique_owner.h"
#include "win32/owned_handles.h"

namespace plotmate::win32 {

inline void endChildProcess(HANDLE process) {
  if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
  }
  CloseHandle(process);
}
using ChildProcess = UniqueOwner<HANDLE, &endChildProcess>;

// Runs `command` (the program's quoted path, then its options) in `folder`,
// or in ours when null; owns nothing when the process could not start.
inline ChildProcess startChildProcess(std::wstring command, const wchar_t* folder = nullptr) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                      &started))
    return {};
  OwnedHandle thread(started.hThread);  // not needed
  return ChildProcess(started.hProcess);
}

}  // namespace plotmate::win32
