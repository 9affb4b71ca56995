#include "shell/main_menu.h"

#include <string>

#include "hosts/platform.h"

namespace plotmate {

namespace {

constexpr std::string_view kNotepadFailedMessage = "无法启动记事本打开帮助文件：\n";

constexpr MenuEntry kEntries[] = {
    {"PLINE--CAD多段线坐标写入Excel或反操作", MenuAction::None},
    {"SCR----重复执行某个命令", MenuAction::RepeaterWindow},
    {"AREA---测量封闭区域面积", MenuAction::AreaWindow},
    {"DIST---测量两点距离", MenuAction::DistanceWindow},
    {"ID-----取点坐标", MenuAction::PointWindow},
    {"EXCEL--块到列转换", MenuAction::BlockWindow},
    {"CONV---英寸与毫米转换", MenuAction::FeetInchWindow},
    {"-", MenuAction::Separator},
    {"SET--参数设置", MenuAction::SettingsWindow},
    {"-", MenuAction::Separator},
    {"ABOUT", MenuAction::About},
};

}  // namespace

std::span<const MenuEntry> MainMenuEntries() { return kEntries; }

std::string HelpCommandLine(std::string_view executableFolder) {
  std::string line(kHelpProgram);
  line += "   ";
  line += executableFolder;
  line += '\\';
  line += kHelpFileName;
  line += ' ';
  return line;
}

void OpenHelpFile(Platform& platform) {
  const auto folder = platform.executableFolder();
  if (!platform.startProcess(kHelpProgram, HelpCommandLine(folder)))
    platform.messageBox(std::string(kNotepadFailedMessage) + folder + "\\" +
                        std::string(kHelpFileName));
}

}  // namespace plotmate
