#pragma once
// Steps both window-level test files take: opening a tool window from the
// pop-up menu, a click posted as the mouse makes it, and waiting on another
// process while this thread answers what is sent to its windows.

#include <functional>

#include "tools/desktop/desktop_driver.h"

namespace plotmate::uitest {

using namespace plotmate::desktop;

// The tool window that the menu entry `entry` places down opened, or null.
inline HWND openTool(const RunningProgram& program, int entry, const wchar_t* className) {
  return chooseMenuEntry(program, entry) ? findWindow(program.pid(), className) : nullptr;
}

// A mouse button's down and up messages at a point of the window's client area.
inline void postClick(HWND window, POINT at, UINT down = WM_LBUTTONDOWN, WPARAM keys = MK_LBUTTON) {
  PostMessageW(window, down, keys, MAKELPARAM(at.x, at.y));
  PostMessageW(window, down + 1, 0, MAKELPARAM(at.x, at.y));
}

// Pumps until `done` holds or `within` has passed; whether it holds.
inline bool pollUntil(const std::function<bool()>& done, std::chrono::milliseconds within) {
  for (auto waited = 0ms; !done(); waited += 50ms) {
    if (waited >= within) return false;
    pumpFor(50ms);
  }
  return true;
}

}  // namespace plotmate::uitest
