#include "app/feet_inch_window.h"

#include <commctrl.h>

#include "convert/feet_inch.h"

namespace plotmate::app {

namespace {

// The input box's design text: the syntax to type, cleared by the first click.
constexpr std::string_view kPlaceholder = "英尺.寸";

constexpr ControlDesign kControls[] = {
    {FeetInchWindow::Text1, ControlKind::TextBox, kPlaceholder,
     "英寸到毫米的转换，\"尺\"与\"寸\"之间用小数点隔开", {50, 50, 975, 390}, "宋体"},
    {FeetInchWindow::Label6, ControlKind::Label, "in->", {}, {1080, 50, 732, 252},
     "宋体"},
    {FeetInchWindow::Text2, ControlKind::TextBox, "毫米", {}, {1680, 50, 975, 390},
     "宋体"},
    {FeetInchWindow::Label7, ControlKind::Label, "mm", {}, {2760, 50, 372, 252},
     "宋体"},
};

constexpr WindowDesign kFeetInchWindow{L"PlotmateCONV", "CONV", 3108, 480, false, kControls};

// Edit controls tell their parent of no clicks: the input box is watched
// for the mouse button going down, before the box itself handles it, and
// tells it as a click (no edit notification uses that code).
LRESULT CALLBACK watchClicks(HWND box, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR window) {
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(box, watchClicks, id);
  if (msg == WM_LBUTTONDOWN)
    SendMessageW(reinterpret_cast<HWND>(window), WM_COMMAND,
                 MAKEWPARAM(FeetInchWindow::Text1, kClicked), reinterpret_cast<LPARAM>(box));
  return DefSubclassProc(box, msg, wParam, lParam);
}

}  // namespace

FeetInchWindow::FeetInchWindow(ProgramWindows& windows)
    : DeclaredWindow(windows, kFeetInchWindow) {}

std::span<const FormEvent<FeetInchWindow>> FeetInchWindow::events() {
  static constexpr FormEvent<FeetInchWindow> kEvents[] = {
      {Text1, kChanged, &FeetInchWindow::Text1_Change},
      {Text1, kClicked, &FeetInchWindow::Text1_Click},
  };
  return kEvents;
}

void FeetInchWindow::Form_Load() {
  SetWindowSubclass(control(Text1), watchClicks, 0, reinterpret_cast<DWORD_PTR>(hwnd()));
}

void FeetInchWindow::Text1_Click() {
  if (text(Text1) == kPlaceholder) setText(Text1, "");
}

void FeetInchWindow::Text1_Change() { setText(Text2, FeetInchResultText(text(Text1))); }

}  // namespace plotmate::app
