#include "app/win32_platform.h"

#include <windows.h>

#include <string>
#include <vector>

#include "app/wide_text.h"
#include "win32/owned_handles.h"
#include "hosts/com/desktop_windows.h"
#include "shell/window_choice.h"

namespace plotmate::app {

namespace {

// Windows' own case folding, so that titles compare as the system compares them.
std::u16string folded(std::wstring text) {
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return std::u16string(text.begin(), text.end());
}

struct TitledWindows {
  std::vector<HWND> windows;
  std::vector<std::u16string> titles;
};

BOOL CALLBACK collectTitled(HWND hwnd, LPARAM list) {
  if (!IsWindowVisible(hwnd)) return TRUE;
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return TRUE;
  std::wstring title(static_cast<std::size_t>(length) + 1, L'\0');
  title.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, title.data(), length + 1)));
  auto* found = reinterpret_cast<TitledWindows*>(list);
  found->windows.push_back(hwnd);
  found->titles.push_back(folded(std::move(title)));
  return TRUE;
}

// The full path of a file in the Windows system folder; empty for a name
// that would lead out of it, or when the system does not say where it is.
std::wstring inSystemFolder(std::string_view fileName) {
  if (fileName.empty() || fileName.find_first_of("\\/:") != std::string_view::npos) return {};
  const UINT needed = GetSystemDirectoryW(nullptr, 0);  // with the terminating zero
  if (needed == 0) return {};
  std::wstring path(needed, L'\0');
  const UINT length = GetSystemDirectoryW(path.data(), needed);
  if (length == 0 || length >= needed) return {};
  path.resize(length);
  if (path.back() != L'\\') path += L'\\';
  return path + wide(fileName);
}

void bringForward(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

}  // namespace

void Win32Platform::messageBox(std::string_view text, std::string_view title) {
  const auto caption = wide(title.empty() ? kProgramTitle : title);
  MessageBoxW(nullptr, wide(text).c_str(), caption.c_str(),
              MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}

void Win32Platform::activateWindow(std::string_view title) {
  if (!activateTitled(title)) activateHostWindow(title);
}

bool Win32Platform::activateTitled(std::string_view title) {
  TitledWindows found;
  EnumWindows(collectTitled, reinterpret_cast<LPARAM>(&found));
  const auto chosen = ChooseWindowByTitle(found.titles, folded(wide(title)));
  if (!chosen) return false;
  bringForward(found.windows[*chosen]);
  return true;
}

// A handle that is no window, or one of another desktop, does nothing.
void Win32Platform::activateHostWindow(std::string_view title) {
  if (!hostWindow_) return;
  const auto handle = hostWindow_(title);
  if (!handle) return;
  if (HWND window = com::hostTopLevelWindow(*handle)) bringForward(window);
}

bool Win32Platform::startProcess(std::string_view systemProgram, std::string_view commandLine) {
  const std::wstring program = inSystemFolder(systemProgram);
  if (program.empty()) return false;
  std::wstring line = wide(commandLine);  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  // Notepad runs on its own: its handles are not kept.
  const win32::OwnedHandle thread(process.hThread), started(process.hProcess);
  return true;
}

std::string Win32Platform::executableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // a long path: try again with room for it
  }
  const auto slash = path.find_last_of(L"\\/");
  return narrow(slash == std::wstring::npos ? std::wstring_view{} : std::wstring_view(path).substr(0, slash));
}

}  // namespace plotmate::app
