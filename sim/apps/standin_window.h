#pragma once
// What the two visible stand-ins share: their window classes' registration,
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

namespace plotmate::sim {

// The system's cursors by number: IDC_ARROW and IDC_CROSS are narrow
// resources unless the whole build is Unicode.
inline HCURSOR arrowCursor() { return LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); }
inline HCURSOR crossCursor() { return LoadCursorW(nullptr, MAKEINTRESOURCEW(32515)); }

// Registers a window class whose procedure hands messages to the object
// stored at WM_NCCREATE (the creation parameter).
template <class Window>
bool registerWindowClass(const wchar_t* name, HBRUSH background) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = arrowCursor();
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM w, LPARAM l) -> LRESULT {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handle(hwnd, message, w, l) : DefWindowProcW(hwnd, message, w, l);
  };
  return RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
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
