#pragma once
// The program's top-level windows and whether a tool is running: the
// message loop asks which windows take dialog keys, the last window closed
// ends the loop, and every window shows the wait cursor and drops clicks
// while a tool runs. The program owns one; each window is given it.

#include <windows.h>

#include <set>

namespace plotmate::app {

class ProgramWindows {
 public:
  void opened(HWND window) { open_.insert(window); }
  // Forgets the window; the last one closed ends the message loop.
  void closed(HWND window);
  bool contains(HWND root) const { return open_.contains(root); }

  // Lets every window's cursor show that a tool is running; at the end,
  // clicks and keys queued meanwhile are dropped.
  void setBusy(bool busy);
  bool busy() const { return busy_; }

 private:
  std::set<HWND> open_;
  bool busy_ = false;
};

}  // namespace plotmate::app
