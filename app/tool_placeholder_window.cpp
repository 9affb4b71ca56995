#include "app/tool_placeholder_window.h"

namespace plotmate::app {

namespace {


constexpr ControlSpec label(std::string_view text) {
  return {ToolPlaceholderWindow::Label1, "Label1", ControlKind::Label, text, {}, {120, 120, 3600, 480}, {}};
}

constexpr ControlSpec kRepeater[] = {label("命令重复执行窗口将在下一版本提供。")};
constexpr ControlSpec kArea[] = {label("面积测量窗口将在下一版本提供。")};
constexpr ControlSpec kDistance[] = {label("距离测量窗口将在下一版本提供。")};
constexpr ControlSpec kPoint[] = {label("取点坐标窗口将在下一版本提供。")};
constexpr ControlSpec kBlock[] = {label("块到列转换窗口将在下一版本提供。")};
constexpr ControlSpec kFeetInch[] = {label("英寸与毫米转换窗口将在下一版本提供。")};

constexpr WindowSpec window(const wchar_t* className, std::string_view caption,
                            std::span<const ControlSpec> controls) {
  return {className, caption, 3840, 720, false, controls};
}

constexpr WindowSpec kRepeaterWindow = window(L"PlotmateSCR", "SCR", kRepeater);
constexpr WindowSpec kAreaWindow = window(L"PlotmateAREA", "AREA", kArea);
constexpr WindowSpec kDistanceWindow = window(L"PlotmateDIST", "DIST", kDistance);
constexpr WindowSpec kPointWindow = window(L"PlotmateID", "ID", kPoint);
constexpr WindowSpec kBlockWindow = window(L"PlotmateEXCEL", "EXCEL", kBlock);
constexpr WindowSpec kFeetInchWindow = window(L"PlotmateCONV", "CONV", kFeetInch);

const WindowSpec& specFor(MenuAction action) {
  switch (action) {
    case MenuAction::RepeaterWindow: return kRepeaterWindow;
    case MenuAction::AreaWindow: return kAreaWindow;
    case MenuAction::DistanceWindow: return kDistanceWindow;
    case MenuAction::PointWindow: return kPointWindow;
    case MenuAction::BlockWindow: return kBlockWindow;
    default: return kFeetInchWindow;
  }
}

}  // namespace

ToolPlaceholderWindow::ToolPlaceholderWindow(MenuAction action) : FormWindow(specFor(action)) {}

void ToolPlaceholderWindow::command(int id, int) {
  if (id == IDCANCEL) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

}  // namespace plotmate::app
