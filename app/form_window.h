#pragma once
// One pattern for every window of the program. A window is a table of
// control designs in twips, laid out at the window's DPI (pixels = twips x DPI
// / 1440) and laid out again when the DPI changes, and a table of events
// (control, notification, handler) that DeclaredWindow dispatches from; the
// window class keeps its handlers (named after control and event) and
// forwards them to its form model.

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/program_windows.h"
#include "shell/form_events.h"
#include "win32/owned_handles.h"

namespace plotmate::app {

// Option buttons next to each other in a table form one group: exactly one
// of them is selected, and Tab reaches the group at the selected one.
enum class ControlKind { Button, CheckBox, ComboBox, Label, OptionButton, TextBox };

struct TwipRect {
  int left, top, width, height;
};

struct ControlDesign {
  int id;                    // the control's command id (not 1 or 2: Enter and Esc use them)
  ControlKind kind;
  std::string_view caption;  // UTF-8
  std::string_view tooltip;  // UTF-8; empty for none
  TwipRect rect;
  std::string_view font;     // a face name, or empty for the system's message font
};

struct WindowDesign {
  const wchar_t* className;
  std::string_view caption;  // UTF-8
  int clientWidth, clientHeight;  // twips
  bool resizable;
  std::span<const ControlDesign> controls;  // in focus order
  // Esc closes the window as its close box does; the main window, whose
  // closing ends the program, leaves Esc alone.
  bool closesOnEsc = true;
};

// Notifications as the event tables name them.
inline constexpr int kClicked = BN_CLICKED;  // also a menu entry chosen
inline constexpr int kChanged = EN_CHANGE;

class FormWindow {
 public:
  FormWindow(ProgramWindows& windows, const WindowDesign& design)
      : windows_(windows), design_(design) {}
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  virtual ~FormWindow();

  // Shows the window, creating it first (top-left corner at `top`/`left`
  // twips on the screen) when it is not open; an open window comes forward.
  void show(std::int16_t top, std::int16_t left);
  bool isOpen() const { return hwnd_ != nullptr; }
  HWND hwnd() const { return hwnd_; }
  HWND control(int id) const { return GetDlgItem(hwnd_, id); }
  UINT dpi() const { return dpi_; }

  // The window's own caption, as designed.
  std::string_view caption() const { return design_.caption; }
  // A passing caption (a run's progress), and the window's own one back.
  void showCaption(std::string_view caption);
  void restoreCaption() { showCaption(design_.caption); }

  std::string text(int id) const;
  void setText(int id, std::string_view text);
  bool checked(int id) const;
  void setChecked(int id, bool checked);
  // A check box's value as the settings hold it: 1 ticked, 0 clear.
  std::int16_t checkValue(int id) const { return checked(id) ? 1 : 0; }
  // Selects the option button `id` and clears the others of its group.
  void selectOption(int id);
  // Screen position of the window's top-left corner, in twips as stored
  // (the restored position when the window is minimised or maximised).
  std::int16_t storedTop() const;
  std::int16_t storedLeft() const;

  bool busy() const { return windows_.busy(); }

  // The window procedure's entry (win32/window_procedure.h).
  LRESULT handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

 protected:
  virtual void Form_Load() {}
  // A control's notification (BN_CLICKED, EN_CHANGE, ...), a menu entry
  // chosen, or Enter on a push button (as its click).
  virtual void command(int id, int notification) = 0;
  // The window is closing; return false to keep it open.
  virtual bool Form_Unload() { return true; }
  // Messages a window handles beyond the common ones; false: not handled.
  virtual bool message(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

 private:
  void onCommand(WPARAM wParam);
  void onDpiChanged(UINT dpi, const RECT& suggested);
  void onDestroyed();
  bool create(std::int16_t top, std::int16_t left);
  void createControls();
  // The table entries of the option group holding the option button `id`.
  std::span<const ControlDesign> optionGroup(int id) const;
  void layout();
  void makeFonts();
  HFONT fontFor(std::string_view face) const;
  RECT windowRectForClient(int x, int y) const;
  // Corrects the outer size by what the client area misses of the design's.
  void fitClientToDesign();
  POINT restoredTopLeft() const;

  ProgramWindows& windows_;
  const WindowDesign& design_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND lastFocus_ = nullptr;  // the control to give the focus back to
  UINT dpi_ = 96;
  std::vector<std::wstring> tooltipTexts_;
  std::vector<std::pair<std::string_view, win32::OwnedFont>> fonts_;  // face name -> font at dpi_
};

// A window whose events are a table: `Window::events()` lists them, and
// each notification goes to the first entry that answers it.
template <class Window>
class DeclaredWindow : public FormWindow {
 protected:
  using FormWindow::FormWindow;

 private:
  void command(int id, int notification) final {
    DispatchFormEvent(Window::events(), static_cast<Window&>(*this), id, notification);
  }
};

}  // namespace plotmate::app
