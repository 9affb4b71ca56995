#include "app/tool_placeholder_window.h"

namespace plotmate::app {

namespace {

constexpr ControlDesign label(std::string_view text) {
  return {ToolPlaceholderWindow::Label1, "Label1", ControlKind::Label, text, {}, {120, 120, 3600, 480}, {}};
}

constexpr ControlDesign kRepeater[] = {label("命令重复执行窗口将在下一版本提供。")};

constexpr WindowDesign window(const wchar_t* className, std::string_view caption,
                            std::span<const ControlDesign> controls) {
  return {className, caption, 3840, 720, false, controls};
}

constexpr WindowDesign kRepeaterWindow = window(L"PlotmateSCR", "SCR", kRepeater);

// The repeater is the one window still to come.
const WindowDesign& designFor(MenuAction) { return kRepeaterWindow; }

}  // namespace

ToolPlaceholderWindow::ToolPlaceholderWindow(MenuAction action) : FormWindow(designFor(action)) {}

void ToolPlaceholderWindow::command(int id, int) {
  if (id == IDCANCEL) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

}  // namespace plotmate::app
