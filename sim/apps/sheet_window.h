#pragma once
// The sheet stand-in's window, titled as its profile says: the grid of the
// active sheet. A click selects a cell, a shift-click or a drag spans from
// it; the arrow keys move the active cell and the wheel scrolls. Typing
// replaces the active cell's content (F2 edits it as it stands), Enter
// stores the text as the host stores typed input and moves down, Esc drops
// it, Delete clears the cell. Ctrl+S saves the sheet as CSV.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "sim/apps/standin_window.h"
#include "sim/apps/view/sheet_grid.h"
#include "sim/sheet/worksheet.h"

namespace plotmate::sim {

class SheetWindow {
 public:
  SheetWindow();
  SheetWindow(const SheetWindow&) = delete;
  SheetWindow& operator=(const SheetWindow&) = delete;

  // Shows this sheet (a fresh host replaces the last).
  void show(std::shared_ptr<Worksheet> sheet, std::shared_ptr<HostContext> context,
            SaveTarget target);

  LRESULT handle(HWND hwnd, UINT message, WPARAM w, LPARAM l);
  // The top-level window, which the host reports as its main window.
  HWND window() const { return window_; }

 private:
  void paint();
  void press(POINT at, bool extend);
  void dragTo(POINT at);
  void typed(wchar_t c);
  void key(WPARAM key);
  void commitTyping();
  void moveActive(int rows, int columns);
  void applySelection();
  void showActive();
  SIZE bodySize() const;

  HWND window_ = nullptr;
  std::shared_ptr<Worksheet> sheet_;
  SaveTarget target_;
  CallWatch calls_;
  GridLayout grid_;
  MouseSelection mouse_;
  bool dragging_ = false;
  std::optional<std::wstring> typing_;
  std::string status_ = "Ready";
};

}  // namespace plotmate::sim
