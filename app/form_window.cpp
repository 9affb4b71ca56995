#include "app/form_window.h"

#include <commctrl.h>

#include "app/button_caption.h"
#include "app/wide_text.h"
#include "shell/twips.h"
#include "win32/window_procedure.h"

namespace plotmate::app {

namespace {

DWORD windowStyle(const WindowDesign& window) {
  const DWORD framed = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  return window.resizable ? framed | WS_THICKFRAME | WS_MAXIMIZEBOX : framed;
}
// Tab and Shift+Tab walk into the controls of every program window.
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD exStyle;
};

ControlClass controlClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
      return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::CheckBox:
      return {WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ControlKind::ComboBox:  // editable, with a drop-down list
      return {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::Label:
      return {WC_STATICW, SS_LEFT, 0};
    case ControlKind::OptionButton:
      return {WC_BUTTONW, BS_AUTORADIOBUTTON, 0};
    case ControlKind::TextBox:
      return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
  }
  return {WC_STATICW, 0, 0};
}

// The window lies on no monitor (a monitor was removed since the position
// was stored, or the position was held to 16 bits): bring it onto the nearest one.
void keepOnScreen(HWND hwnd) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  if (MonitorFromRect(&rect, MONITOR_DEFAULTTONULL)) return;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) return;
  SetWindowPos(hwnd, nullptr, info.rcWork.left, info.rcWork.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

FormWindow::~FormWindow() {
  if (hwnd_) {
    // Detached first: the window's last messages must not reach a half-destroyed object.
    windows_.closed(hwnd_);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void FormWindow::show(std::int16_t top, std::int16_t left) {
  if (!hwnd_ && !create(top, left)) return;
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

bool FormWindow::create(std::int16_t top, std::int16_t left) {
  win32::RegisterObjectWindowClass<FormWindow>(design_.className,
                                               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  const UINT systemDpi = GetDpiForSystem();
  const int x = TwipsToPixels(left, static_cast<int>(systemDpi));
  const int y = TwipsToPixels(top, static_cast<int>(systemDpi));
  dpi_ = systemDpi;
  const RECT outer = windowRectForClient(x, y);
  CreateWindowExW(kWindowExStyle, design_.className, wide(design_.caption).c_str(),
                  windowStyle(design_),
                  outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                  nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!hwnd_) return false;
  // The monitor the window landed on may have another DPI than the system's.
  if (const UINT actual = GetDpiForWindow(hwnd_); actual != dpi_) {
    dpi_ = actual;
    const RECT sized = windowRectForClient(x, y);
    SetWindowPos(hwnd_, nullptr, 0, 0, sized.right - sized.left, sized.bottom - sized.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  keepOnScreen(hwnd_);
  createControls();
  layout();
  Form_Load();
  return true;
}

// A frame drawn at another DPI than the one computed for (Wine keeps the
// system's frame when told of a new DPI) leaves the client area off by the
// difference: the outer size takes it up.
void FormWindow::fitClientToDesign() {
  RECT client, outer;
  GetClientRect(hwnd_, &client);
  GetWindowRect(hwnd_, &outer);
  const int dx = TwipsToPixels(design_.clientWidth, static_cast<int>(dpi_)) - client.right;
  const int dy = TwipsToPixels(design_.clientHeight, static_cast<int>(dpi_)) - client.bottom;
  if (dx == 0 && dy == 0) return;
  SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The outer rectangle whose client area is the design size at dpi_, with
// the window's top-left corner at (x, y).
RECT FormWindow::windowRectForClient(int x, int y) const {
  RECT rect{0, 0, TwipsToPixels(design_.clientWidth, static_cast<int>(dpi_)),
            TwipsToPixels(design_.clientHeight, static_cast<int>(dpi_))};
  AdjustWindowRectExForDpi(&rect, windowStyle(design_), FALSE, kWindowExStyle, dpi_);
  OffsetRect(&rect, x - rect.left, y - rect.top);
  return rect;
}

void FormWindow::createControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance, nullptr);
  tooltipTexts_.reserve(design_.controls.size());  // the tool infos point into these texts
  const ControlDesign* previous = nullptr;
  for (const auto& entry : design_.controls) {
    const auto kind = controlClass(entry.kind);
    // Every control starts a group of its own but an option button after
    // another: arrow keys move within a group, Tab between groups.
    const bool joinsGroup = entry.kind == ControlKind::OptionButton && previous &&
                            previous->kind == ControlKind::OptionButton;
    previous = &entry;
    HWND child = CreateWindowExW(kind.exStyle, kind.name, wide(entry.caption).c_str(),
                                 WS_CHILD | WS_VISIBLE | kind.style | (joinsGroup ? 0 : WS_GROUP),
                                 0, 0, 0, 0, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)), instance,
                                 nullptr);
    if (!child || entry.tooltip.empty() || !tooltip_) continue;
    tooltipTexts_.push_back(wide(entry.tooltip));
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = tooltipTexts_.back().data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void FormWindow::layout() {
  makeFonts();
  const int dpi = static_cast<int>(dpi_);
  for (const auto& entry : design_.controls) {
    HWND child = control(entry.id);
    if (!child) continue;
    SetWindowPos(child, nullptr, TwipsToPixels(entry.rect.left, dpi),
                 TwipsToPixels(entry.rect.top, dpi), TwipsToPixels(entry.rect.width, dpi),
                 TwipsToPixels(entry.rect.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(entry.font)), TRUE);
  }
}

void FormWindow::makeFonts() {
  fonts_.clear();
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_);
  for (const auto& entry : design_.controls) {
    if (fontFor(entry.font)) continue;
    LOGFONTW face = metrics.lfMessageFont;
    if (!entry.font.empty()) {
      const auto name = wide(entry.font);
      lstrcpynW(face.lfFaceName, name.c_str(), LF_FACESIZE);
      face.lfCharSet = DEFAULT_CHARSET;
    }
    fonts_.emplace_back(entry.font, win32::OwnedFont(CreateFontIndirectW(&face)));
  }
}

HFONT FormWindow::fontFor(std::string_view face) const {
  for (const auto& [name, font] : fonts_)
    if (name == face) return font.get();
  return nullptr;
}

void FormWindow::showCaption(std::string_view caption) {
  if (hwnd_) SetWindowTextW(hwnd_, wide(caption).c_str());
}

std::string FormWindow::text(int id) const {
  HWND child = control(id);
  std::wstring buffer(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
  buffer.resize(static_cast<std::size_t>(GetWindowTextW(child, buffer.data(),
                                                        static_cast<int>(buffer.size()))));
  return narrow(buffer);
}

void FormWindow::setText(int id, std::string_view text) {
  SetWindowTextW(control(id), wide(text).c_str());
}

bool FormWindow::checked(int id) const {
  return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void FormWindow::setChecked(int id, bool checked) {
  SendMessageW(control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::span<const ControlDesign> FormWindow::optionGroup(int id) const {
  const auto all = design_.controls;
  const auto isOption = [](const ControlDesign& c) { return c.kind == ControlKind::OptionButton; };
  std::size_t at = 0;
  while (at < all.size() && all[at].id != id) ++at;
  if (at == all.size() || !isOption(all[at])) return {};
  std::size_t first = at, last = at + 1;
  while (first > 0 && isOption(all[first - 1])) --first;
  while (last < all.size() && isOption(all[last])) ++last;
  return all.subspan(first, last - first);
}

void FormWindow::selectOption(int id) {
  for (const auto& option : optionGroup(id)) {
    HWND button = control(option.id);
    const bool selected = option.id == id;
    SendMessageW(button, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    // Only the selected button is a tab stop, so Tab lands on it.
    const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    SetWindowLongPtrW(button, GWL_STYLE, selected ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

POINT FormWindow::restoredTopLeft() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  RECT rect;
  GetWindowRect(hwnd_, &rect);
  if ((IsIconic(hwnd_) || IsZoomed(hwnd_)) && GetWindowPlacement(hwnd_, &placement)) {
    // The restored rectangle is in work-area coordinates: add the monitor's
    // taskbar offset to get back to the screen.
    rect = placement.rcNormalPosition;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info))
      OffsetRect(&rect, info.rcWork.left - info.rcMonitor.left,
                 info.rcWork.top - info.rcMonitor.top);
  }
  return {rect.left, rect.top};
}

std::int16_t FormWindow::storedTop() const {
  return StoredTwips(PixelsToTwips(restoredTopLeft().y, static_cast<int>(GetDpiForSystem())));
}

std::int16_t FormWindow::storedLeft() const {
  return StoredTwips(PixelsToTwips(restoredTopLeft().x, static_cast<int>(GetDpiForSystem())));
}

LRESULT FormWindow::handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!hwnd_) {  // WM_NCCREATE: the window is this object's from now on
    hwnd_ = hwnd;
    windows_.opened(hwnd);
  }
  switch (msg) {
    case WM_COMMAND:
      // While a tool runs, clicks that reach the window are dropped: no second run.
      if (!busy()) onCommand(wParam);
      return 0;
    case WM_ACTIVATE:
      // Focus comes back to the control that had it, as in a dialog.
      if (LOWORD(wParam) == WA_INACTIVE && IsChild(hwnd_, GetFocus())) lastFocus_ = GetFocus();
      break;
    case WM_SETFOCUS: {
      HWND target = IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_)
                        ? lastFocus_
                        : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
      if (target) SetFocus(target);
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code == NM_CUSTOMDRAW && IsPushButton(header->hwndFrom))
        return DrawButtonCaption(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam));
      break;
    }
    case WM_SETCURSOR:
      if (!busy()) break;
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      return TRUE;
    case WM_CLOSE:
      if (busy()) return 0;  // the running tool still uses this window
      if (Form_Unload()) DestroyWindow(hwnd_);
      return 0;
    case WM_DPICHANGED:
      onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_NCDESTROY:
      onDestroyed();
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    default:
      if (LRESULT result = 0; message(msg, wParam, lParam, result)) return result;
  }
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

// Enter arrives as IDOK: on a focused push button it presses that button.
// Esc arrives as IDCANCEL.
void FormWindow::onCommand(WPARAM wParam) {
  const int id = LOWORD(wParam);
  const HWND focused = GetFocus();
  if (id == IDOK && focused && GetParent(focused) == hwnd_ &&
      (SendMessageW(focused, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
    command(GetDlgCtrlID(focused), BN_CLICKED);
  else if (id == IDCANCEL && design_.closesOnEsc)
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  else
    command(id, HIWORD(wParam));
}

void FormWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  const RECT outer = windowRectForClient(suggested.left, suggested.top);
  SetWindowPos(hwnd_, nullptr, outer.left, outer.top, outer.right - outer.left,
               outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
  fitClientToDesign();
  layout();
}

void FormWindow::onDestroyed() {
  const HWND gone = hwnd_;
  SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  tooltip_ = nullptr;
  tooltipTexts_.clear();
  fonts_.clear();
  windows_.closed(gone);
}

}  // namespace plotmate::app
