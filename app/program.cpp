#include "app/program.h"

#include <string>

#include "app/block_column_window.h"
#include "app/feet_inch_window.h"
#include "app/main_window.h"
#include "app/pick_tool_window.h"
#include "app/repeater_window.h"
#include "app/settings_window.h"
#include "base/unique_owner.h"
#include "hosts/host_window.h"
#include "shell/ansi_codec.h"
#include "shell/config_file.h"

namespace plotmate::app {

namespace {

// "config" lives in the working directory, not beside the program.
constexpr const char* kConfigFile = "config";

std::string joined(const std::vector<std::string_view>& keys) {
  std::string out;
  for (auto key : keys) out += (out.empty() ? "" : ", ") + std::string(key);
  return out;
}

}  // namespace

// A tool that finds no window titled as the host brings the attached
// host's own main window forward.
Program::Program() {
  desktop_.setHostWindowSource(
      [this](std::string_view title) { return attachedHostWindow(session, title); });
}
Program::~Program() = default;

bool Program::start() {
  loadSettings();
  mainWindow_ = std::make_unique<MainWindow>(*this);
  mainWindow_->show(settings.TOP, settings.LEFT);
  return mainWindow_->isOpen();
}

// No file is a first start and passes without a word; a file that cannot be
// read whole is said once, naming what was not taken from it.
void Program::loadSettings() {
  AnsiCodec codec;
  auto loaded = LoadConfig(kConfigFile, codec, settings);
  if (!loaded) {
    platform.messageBox("config 文件无法读取，使用默认设置。\n\n" + loaded.error().description);
    return;
  }
  if (loaded->missing) return;
  std::string problems;
  if (!loaded->complete) problems += "config 文件不完整，缺少的设置保持默认值。\n";
  if (!loaded->unreadable.empty())
    problems += "config 中以下设置的值无法读取，保持默认值：" + joined(loaded->unreadable) + "\n";
  if (!loaded->lossy.empty())
    problems += "config 中以下文字含有无法识别的字符：" + joined(loaded->lossy) + "\n";
  if (!problems.empty()) platform.messageBox(problems.substr(0, problems.size() - 1));
}

void Program::saveSettings() {
  AnsiCodec codec;
  auto saved = SaveConfig(kConfigFile, codec, settings);
  if (!saved) {
    platform.messageBox("设置未能保存到 config 文件！\n\n" + saved.error().description);
    return;
  }
  if (!saved->lossy.empty())
    platform.messageBox("以下设置含有系统代码页无法保存的字符，已用 ? 代替：" +
                        joined(saved->lossy));
}

std::unique_ptr<FormWindow> Program::makeToolWindow(MenuAction action) {
  switch (action) {
    case MenuAction::RepeaterWindow: return std::make_unique<RepeaterWindow>(*this);
    case MenuAction::AreaWindow: return MakeAreaWindow(*this);
    case MenuAction::DistanceWindow: return MakeDistanceWindow(*this);
    case MenuAction::PointWindow: return MakePointWindow(*this);
    case MenuAction::BlockWindow: return std::make_unique<BlockColumnWindow>(*this);
    case MenuAction::FeetInchWindow: return std::make_unique<FeetInchWindow>(windows);
    case MenuAction::SettingsWindow: return std::make_unique<SettingsWindow>(windows, settings);
    default: return nullptr;  // entries that open no window
  }
}

void Program::showToolWindow(MenuAction action) {
  auto& window = toolWindows_[action];
  if (!window) window = makeToolWindow(action);
  // TOP and LEFT change only when the main window closes: tool windows open
  // where the main window was placed at start.
  if (window) window->show(settings.TOP, settings.LEFT);
}

bool Program::runTool(std::string_view label, const std::function<void()>& tool) {
  if (windows.busy()) return false;
  runLabel_ = label;
  runStart_ = lastShown_ = std::chrono::steady_clock::now();
  progressShown_ = false;
  broker.resetCount();
  platform.beginRun();
  {
    windows.setBusy(true);
    const UniqueOwner<Program*, &Program::endRun> running(this);
    tool();
  }
  platform.endRun();
  return true;
}

void Program::endRun(Program* program) {
  if (program->progressShown_ && program->mainWindow_) program->mainWindow_->restoreCaption();
  program->windows.setBusy(false);
}

void Program::runPickTool(const FormWindow& window, std::string_view label,
                          const std::function<void()>& tool) {
  if (runTool(label, tool)) platform.activateWindow(window.caption());
}

// Between two host calls: every window repaints, and after the first second
// the caption shows how far the run has come, a few times a second at most.
void Program::hostCallMade(std::uint64_t calls) {
  using namespace std::chrono_literals;
  if (!windows.busy()) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastShown_ < 100ms) return;
  lastShown_ = now;
  MSG paint;
  while (PeekMessageW(&paint, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageW(&paint);
  if (now - runStart_ < 1s || !mainWindow_ || !mainWindow_->isOpen()) return;
  mainWindow_->showCaption(runLabel_ + " " + std::to_string(calls));
  progressShown_ = true;
}

}  // namespace plotmate::app
