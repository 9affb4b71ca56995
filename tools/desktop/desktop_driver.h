#pragma once
// Drives plotmate.exe from another process, the way a drafter's clicks and
// keys reach it: window messages. Reads back what the windows show (texts,
// check marks, rectangles, tooltips, message boxes) and what the program
// left in its working folder.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shell/settings.h"
#include "win32/child_process.h"

namespace plotmate::desktop {

using namespace std::chrono_literals;

// The plotmate.exe to drive, with its help file beside it: the one named by
// the environment variable PLOTMATE_EXE (a Windows path; scripts/test names
// the release package's copy), else the one this build made.
std::filesystem::path builtProgram();
// The folder of the program driving the windows (a test or the walkthrough).
std::filesystem::path driverFolder();
// plotmate.exe and its help file copied into a fresh folder `name` beside
// the working folders, as a drafter unpacks a download; the copy's path.
std::filesystem::path unpackedProgram(const std::string& name);
// The executable of the process that owns the window, or nothing.
std::filesystem::path executableOf(HWND window);

// plotmate.exe (or a copy of it) started in a fresh working folder of its
// own, with a "config" there first when settings are given; killed at the
// end of the test if it is still running.
class RunningProgram {
 public:
  RunningProgram(const std::string& testName, const std::optional<Settings>& settings,
                 std::filesystem::path executable = builtProgram());
  // With "config" holding exactly these bytes.
  RunningProgram(const std::string& testName, const std::string& configBytes);

  DWORD pid() const { return pid_; }
  const std::filesystem::path& folder() const { return folder_; }
  // The main window once it is shown, or null (also while a message shown
  // before it waits for an answer).
  HWND mainWindow() const { return main_; }
  bool exited(std::chrono::milliseconds within) const;
  // Leaves the program running when this object goes (a demo's end).
  void keepRunning();
  // The working folder's file, or nothing when it is absent.
  std::optional<std::string> file(const char* name) const;
  // The settings as the program left them in "config", or nothing without the file.
  std::optional<Settings> savedSettings() const;

 private:
  static std::filesystem::path prepareFolder(const std::string& testName);
  void start();

  std::filesystem::path folder_;
  std::filesystem::path executable_ = builtProgram();
  win32::ChildProcess process_;
  DWORD pid_ = 0;
  HWND main_ = nullptr;
};

// Opens the main window's pop-up menu on its surface and chooses the entry
// `downs` places down (separators are passed over by the keyboard).
bool chooseMenuEntry(const RunningProgram& program, int downs);

// The visible top-level window of process `pid` with that class (and caption, if given).
HWND findWindow(DWORD pid, const wchar_t* className, const wchar_t* caption = nullptr,
                std::chrono::milliseconds within = 5000ms);
// A top-level window of any process with that class whose caption contains `text`, or null.
HWND anyWindowShowing(const wchar_t* className, const std::wstring& text);
// Every visible top-level window of `pid` with that class.
std::vector<HWND> windowsOf(DWORD pid, const wchar_t* className);
bool waitUntilGone(HWND window, std::chrono::milliseconds within = 5000ms);

std::wstring textOf(HWND window);
// A top-level window's caption without asking its (possibly busy) thread.
std::wstring captionOf(HWND window);
// Replaces the text as typing does, one character at a time; returns once
// every character has been handled.
void typeText(HWND edit, const std::wstring& text);
bool isChecked(HWND button);
// Clicks by posting, so that a message box the click opens does not block the caller.
void click(HWND button);
void closeWindow(HWND window);
// Moves the keyboard focus to a control of the program.
void focus(HWND control);
// The control of `window`'s thread that has the keyboard focus.
HWND focusedIn(HWND window);
// Waits, answering what other programs send to this thread's windows meanwhile.
void pumpFor(std::chrono::milliseconds time);
// Waits until the program has handled everything sent or posted to it so far.
void settle(HWND window);
// The control's rectangle in its window's client coordinates.
RECT clientRectOf(HWND control);
SIZE clientSizeOf(HWND window);

struct MessageBoxSeen {
  std::wstring title;
  std::wstring text;
};
// Waits for the program's message box, reads it and presses its OK button.
std::optional<MessageBoxSeen> answerMessageBox(DWORD pid, std::chrono::milliseconds within = 10000ms);

// The tooltip texts of a window's controls, keyed by the control's id.
std::vector<std::pair<int, std::wstring>> tooltipsOf(DWORD pid, HWND window);

// Writes the window (frame included) as a BMP file.
bool screenshot(HWND window, const std::filesystem::path& file);
bool screenshot(const RECT& screenArea, const std::filesystem::path& file);

std::wstring fromUtf8(const std::string& text);
std::string toUtf8(const std::wstring& text);

}  // namespace plotmate::desktop
