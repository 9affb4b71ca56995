#pragma once
// One pattern for every window of the program. A window is a table of
// control designs in twips, laid out at the window's DPI (pixels = twips x DPI
// / 1440) and laid out again when the DPI changes; the window class keeps its
// handlers (named after control and event) and forwards them to its form
// model. `this` is kept from WM_NCCREATE on.

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plotmate::app {

// Option buttons next to each other in a table form one group: exactly one
// of them is selected, and Tab reaches the group at the selected one.
enum class ControlKind { Button, CheckBox, ComboBox, Label, OptionButton, TextBox };

struct TwipRect {
  int left, top, width, height;
};

struct ControlDesign {
  int id;                    // the control's command id (not 1 or 2: Enter and Esc use them)
  std::string_view name;     // the control's window-level name
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
};

class FormWindow {
 public:
  explicit FormWindow(const WindowDesign& design) : design_(design) {}
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

  // Windows of the program still open; the process ends when none is left.
  static int openWindows();
  // True when `root` is a top-level window of this program.
  static bool isProgramWindow(HWND root);
  // Lets every window's cursor show that a tool is running.
  static void setBusy(bool busy);
  static bool busy();

 protected:
  virtual void Form_Load() {}
  // A control's notification (BN_CLICKED, EN_CHANGE, ...); Enter and Esc
  // arrive as IDOK and IDCANCEL.
  virtual void command(int id, int notification) = 0;
  // The window is closing; return false to keep it open.
  virtual bool Form_Unload() { return true; }
  // Messages a window handles beyond the common ones; false: not handled.
  virtual bool message(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

 private:
  static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
  bool create(std::int16_t top, std::int16_t left);
  void createControls();
  // The table entries of the option group holding the option button `id`.
  std::span<const ControlDesign> optionGroup(int id) const;
  void layout();
  void makeFonts();
  void freeFonts();
  HFONT fontFor(std::string_view face) const;
  RECT windowRectForClient(int x, int y) const;
  // Corrects the outer size by what the client area misses of the design's.
  void fitClientToDesign();
  POINT restoredTopLeft() const;

  const WindowDesign& design_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND lastFocus_ = nullptr;  // the control to give the focus back to
  UINT dpi_ = 96;
  std::vector<std::wstring> tooltipTexts_;
  std::vector<std::pair<std::string_view, HFONT>> fonts_;  // face name -> font at dpi_
};

}  // namespace plotmate::app
