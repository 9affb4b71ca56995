#pragma once
// Everything the program keeps for its whole life: the settings record, the
// host attachments, the desktop, and its windows, each created on first use.

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string_view>

#include "app/form_window.h"
#include "app/program_windows.h"
#include "app/win32_platform.h"
#include "hosts/acad.h"
#include "hosts/attach.h"
#include "hosts/com/com_broker.h"
#include "hosts/counting_broker.h"
#include "hosts/host_loss_report.h"
#include "measure/pick_tools.h"
#include "shell/main_form.h"
#include "shell/main_menu.h"
#include "shell/settings.h"

namespace plotmate::app {

class MainWindow;

class Program {
 public:
  Program();
  ~Program();

  // Reads "config" and shows the main window at the stored position.
  bool start();
  // Shows the tool window behind a menu entry: one per process, created on
  // first use, without owner, at the stored TOP/LEFT.
  void showToolWindow(MenuAction action);
  // Runs a tool on the window thread: the wait cursor shows meanwhile, no
  // second tool starts until this one has returned, and a run that lasts
  // more than a second shows its host calls so far in the main window's
  // caption ("->Excel 1200"), which comes back when the run ends. A host
  // lost in the run is said at its end (HostLossReport).
  // False when another run was still going and this one did not start.
  bool runTool(std::string_view label, const std::function<void()>& tool);
  // A pick tool's run: the tool leaves the drawing's or the sheet's window
  // in front, so the tool window that started it comes back to the front
  // afterwards (found by its caption), ready for the next run.
  void runPickTool(const FormWindow& window, std::string_view label,
                   const std::function<void()>& tool);

  // Writes "config"; says so in a message when the file cannot be written.
  void saveSettings();

  // What a pick tool's run works with.
  PickDesk pickDesk() {
    return {{broker, session, platform}, settings, mainForm, distanceSelection};
  }

  ProgramWindows windows;  // declared before the windows, which leave it as they go
  Settings settings;
  MainForm mainForm;
  HostSession session;

 private:
  com::ComHostBroker comBroker_;  // declared before the broker that wraps it
  Win32Platform desktop_;         // declared before the desktop in front of it

 public:
  HostLossReport platform{desktop_, &session};
  CountingBroker broker{comBroker_, [this](std::uint64_t calls) { hostCallMade(calls); },
                        [this](std::string_view progId, const Error& error) {
                          platform.callFailed(progId, error);
                        }};
  AcadSelectionSet distanceSelection;  // kept between distance runs, released at close

 private:
  void loadSettings();
  std::unique_ptr<FormWindow> makeToolWindow(MenuAction action);
  void hostCallMade(std::uint64_t calls);
  // The busy cursor and dropped clicks while a tool runs; the main window's
  // own caption back at the end.
  static void endRun(Program* program);

  std::string runLabel_;
  std::chrono::steady_clock::time_point runStart_, lastShown_;
  bool progressShown_ = false;

  std::unique_ptr<MainWindow> mainWindow_;
  std::map<MenuAction, std::unique_ptr<FormWindow>> toolWindows_;
};

}  // namespace plotmate::app
