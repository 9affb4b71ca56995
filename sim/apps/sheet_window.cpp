#include "sim/apps/sheet_window.h"

#include <windowsx.h>

#include <algorithm>

#include "hosts/com/bstr.h"
#include "sim/apps/sheet_painter.h"
#include "sim/sheet/cell_text.h"

namespace plotmate::sim {

namespace {

constexpr wchar_t kClass[] = L"PlotmateStandInSheet";
constexpr UINT_PTR kRefreshTimer = 1;

}  // namespace

SheetWindow::SheetWindow() {
  registerWindowClass<SheetWindow>(kClass, nullptr);
  window_ = CreateWindowExW(0, kClass, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 330, 430,
                            690, 330, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  SetTimer(window_, kRefreshTimer, kRefreshMilliseconds, nullptr);
}

void SheetWindow::show(std::shared_ptr<Worksheet> sheet, std::shared_ptr<HostContext> context,
                       SaveTarget target) {
  sheet_ = std::move(sheet);
  target_ = std::move(target);
  calls_.watch(std::move(context));
  typing_.reset();
  grid_.topLeft = {1, 1};
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  showActive();
}

LRESULT SheetWindow::handle(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  const POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
  switch (message) {
    case WM_PAINT: paint(); return 0;
    case WM_TIMER:
      // Calls from a client may have moved the cursor: keep it in sight.
      if (calls_.changed()) showActive();
      return 0;
    case WM_LBUTTONDOWN: press(at, (w & MK_SHIFT) != 0); return 0;
    case WM_MOUSEMOVE:
      if (dragging_ && (w & MK_LBUTTON)) dragTo(at);
      return 0;
    case WM_LBUTTONUP:
      dragging_ = false;
      ReleaseCapture();
      return 0;
    case WM_MOUSEWHEEL:
      grid_.topLeft.row = std::clamp(grid_.topLeft.row + (GET_WHEEL_DELTA_WPARAM(w) > 0 ? -3 : 3), 1, xl::kMaxRow);
      InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_KEYDOWN: key(w); return 0;
    case WM_CHAR: typed(static_cast<wchar_t>(w)); return 0;
    case WM_SIZE: InvalidateRect(window_, nullptr, FALSE); return 0;
    case WM_CLOSE: PostQuitMessage(0); return 0;  // closing the host's window ends the host
    default: return DefWindowProcW(hwnd, message, w, l);
  }
}

SIZE SheetWindow::bodySize() const {
  RECT client;
  GetClientRect(window_, &client);
  return {client.right, std::max<LONG>(0, client.bottom - kStatusBarHeight)};
}

void SheetWindow::paint() {
  paintBuffered(window_, [this](HDC dc, const RECT& client) {
    if (sheet_) paintSheet(dc, client, {*sheet_, grid_, typing_, status_});
  });
}

void SheetWindow::press(POINT at, bool extend) {
  SetFocus(window_);
  if (!sheet_) return;
  auto cell = grid_.cellAt(at.x, at.y);
  if (!cell) return;
  commitTyping();
  // A shift-click spans from the active cell, wherever the cursor came from.
  if (extend) mouse_.anchor = sheet_->activeCell();
  mouse_.click(*cell, extend);
  dragging_ = true;
  SetCapture(window_);
  applySelection();
}

void SheetWindow::dragTo(POINT at) {
  auto cell = grid_.cellAt(at.x, at.y);
  if (!cell || Area::spanning(mouse_.anchor, *cell) == mouse_.area) return;
  mouse_.dragTo(*cell);
  applySelection();
}

// The area becomes the selection, the anchor stays the active cell.
void SheetWindow::applySelection() {
  sheet_->select(mouse_.area);
  sheet_->activate(Area::cell(mouse_.anchor));
  InvalidateRect(window_, nullptr, FALSE);
}

void SheetWindow::typed(wchar_t c) {
  if (!sheet_) return;
  if (c == 0x13) {  // Ctrl+S
    status_ = saveOnRequest(target_);
  } else if (c == L'\b') {
    if (typing_ && !typing_->empty()) typing_->pop_back();
  } else if (c >= L' ') {
    if (!typing_) typing_.emplace();
    typing_->push_back(c);
    status_ = "Enter";
  }
  InvalidateRect(window_, nullptr, FALSE);
}

void SheetWindow::key(WPARAM key) {
  if (!sheet_) return;
  switch (key) {
    case VK_RETURN:
      commitTyping();
      moveActive(1, 0);
      break;
    case VK_ESCAPE:
      typing_.reset();
      status_ = "Ready";
      break;
    case VK_F2:
      if (!typing_) typing_ = com::toWide(reenterableText(sheet_->value(sheet_->activeCell())));
      status_ = "Edit";
      break;
    case VK_DELETE:
      if (!typing_) (void)sheet_->setValue(sheet_->activeCell(), Variant());
      break;
    case VK_UP: moveActive(-1, 0); break;
    case VK_DOWN: moveActive(1, 0); break;
    case VK_LEFT: moveActive(0, -1); break;
    case VK_RIGHT: moveActive(0, 1); break;
    default: return;
  }
  InvalidateRect(window_, nullptr, FALSE);
}

// The typed text goes in as the host takes typed input.
void SheetWindow::commitTyping() {
  if (!typing_) return;
  auto stored = sheet_->enterText(sheet_->activeCell(), com::fromWide(*typing_));
  status_ = stored ? "Ready" : stored.error().description;
  typing_.reset();
}

void SheetWindow::moveActive(int rows, int columns) {
  commitTyping();
  const CellRef active = sheet_->activeCell();
  const CellRef next{active.row + rows, active.column + columns};
  if (!inSheet(next)) return;
  mouse_.click(next, false);
  applySelection();
  showActive();
}

void SheetWindow::showActive() {
  if (!sheet_) return;
  const SIZE body = bodySize();
  grid_.scrollToShow(sheet_->activeCell(), body.cx, body.cy);
  InvalidateRect(window_, nullptr, FALSE);
}

}  // namespace plotmate::sim
