#pragma once
// The desktop as Win32 offers it: message boxes with the program's title,
// bringing another program's window forward, starting a process, and the
// executable's folder.

#include <string_view>

#include "hosts/platform.h"

namespace plotmate::app {

inline constexpr std::string_view kProgramTitle = "Plotmate";

class Win32Platform final : public Platform {
 public:
  // Modal to every window of the program (no owner, task-modal), OK button only.
  void messageBox(std::string_view text, std::string_view title = {}) override;
  // A minimised window is restored before it comes to the front.
  void activateWindow(std::string_view title) override;
  // The program's path is made from GetSystemDirectoryW (where Notepad and the
  // other system programs live on every Windows and under Wine) and passed
  // as the program to run, so no folder is searched.
  bool startProcess(std::string_view systemProgram, std::string_view commandLine) override;
  std::string executableFolder() override;
};

}  // namespace plotmate::app
