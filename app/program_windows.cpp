#include "app/program_windows.h"

namespace plotmate::app {

void ProgramWindows::closed(HWND window) {
  if (open_.erase(window) != 0 && open_.empty()) PostQuitMessage(0);
}

void ProgramWindows::setBusy(bool busy) {
  busy_ = busy;
  if (!busy) {
    // Clicks and keys that waited in the queue during the run were meant for
    // a program that looked busy: dropped, so that none starts another run.
    MSG input;
    while (PeekMessageW(&input, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    while (PeekMessageW(&input, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
  }
  POINT at;
  GetCursorPos(&at);
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
  SetCursorPos(at.x, at.y);  // makes the window under the cursor ask for it again
}

}  // namespace plotmate::app
