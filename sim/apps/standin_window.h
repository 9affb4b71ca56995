#pragma once
// What the two visible stand-ins share: their window classes,
// the host a window shows (replaced whole when a test loads a fresh state),
// a timer that repaints once the host has received calls, and saving on
// request (Ctrl+S) to the file the host was loaded from.

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "base/result.h"
#include "sim/sim_object.h"
#include "win32/window_procedure.h"

namespace plotmate::sim {

// The system's cross: IDC_CROSS is a narrow resource unless the whole build is Unicode.
inline HCURSOR crossCursor() { return LoadCursorW(nullptr, MAKEINTRESOURCEW(32515)); }

// The stand-ins' windows are objects (win32/window_procedure.h); their
// classes take double clicks.
template <class Window>
bool registerWindowClass(const wchar_t* name, HBRUSH background) {
  return win32::RegisterObjectWindowClass<Window>(name, background, CS_DBLCLKS);
}

// Answers WM_PAINT: `paint` draws the whole client off screen first, so the
// picture never flickers while it changes.
void paintBuffered(HWND window, const std::function<void(HDC, const RECT& client)>& paint);

// The file a host was loaded from and how to write it back.
struct SaveTarget {
  std::filesystem::path file;  // where Ctrl+S writes
  std::function<Result<void>(const std::filesystem::path&)> save;
};

// Saves and says how it went, as a line for the window to show.
std::string saveOnRequest(const SaveTarget& target);

// Remembers how many calls the host had received when last painted; true
// once more have come (the window then repaints).
class CallWatch {
 public:
  void watch(std::shared_ptr<HostContext> context) {
    context_ = std::move(context);
    seen_ = SIZE_MAX;
  }
  bool changed() {
    const std::size_t now = context_ ? context_->log.callCount() : 0;
    if (now == seen_) return false;
    seen_ = now;
    return true;
  }

 private:
  std::shared_ptr<HostContext> context_;
  std::size_t seen_ = SIZE_MAX;
};

// How often a visible stand-in looks for calls received.
inline constexpr UINT kRefreshMilliseconds = 100;

}  // namespace plotmate::sim
