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
  bool startProcess(std::string_view commandLine) override;
  std::string executableFolder() override;
};

}  // namespace plotmate::app
