#pragma once
// The main window's pop-up menu "POPMENU": its entries in order, with what
// each one does. The Win32 window builds its menu from this table.

#include <span>
#include <string>
#include <string_view>

namespace plotmate {

class Platform;

enum class MenuAction {
  None,            // PLINE: the main window's buttons do this work
  Separator,
  RepeaterWindow,  // SCRfrm
  AreaWindow,      // Areafrm
  DistanceWindow,  // Distfrm
  PointWindow,     // Idfrm
  BlockWindow,     // ExcelFrm
  FeetInchWindow,  // Convfrm
  SettingsWindow,  // SETfrm
  About,           // the help file in Notepad
};

struct MenuEntry {
  std::string_view caption;  // UTF-8; "-" for a separator
  MenuAction action;
};

std::span<const MenuEntry> MainMenuEntries();

// The help file and the command line that opens it: "notepad.exe", three
// blanks, the program's folder, "\readme.txt" and one blank.
inline constexpr std::string_view kHelpFileName = "readme.txt";
inline constexpr std::string_view kHelpProgram = "notepad.exe";  // of the system folder
std::string HelpCommandLine(std::string_view executableFolder);

// ABOUT: the system's own Notepad on the help file, never a program of that
// name found beside Plotmate or in its working folder; a message naming the
// file when Notepad cannot be started.
void OpenHelpFile(Platform& platform);

}  // namespace plotmate
