#pragma once
// The desktop as Win32 offers it: message boxes with the program's title,
// bringing another program's window forward, starting a process, and the
// executable's folder.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "hosts/platform.h"

namespace plotmate::app {

inline constexpr std::string_view kProgramTitle = "Plotmate";

class Win32Platform final : public Platform {
 public:
  // Modal to every window of the program (no owner, task-modal), OK button only.
  void messageBox(std::string_view text, std::string_view title = {}) override;
  // A minimised window is restored before it comes to the front. When no
  // window has the title, the attached host's own main window comes forward
  // (today's hosts title theirs "Autodesk AutoCAD 2024 - [...]", "Book1 -
  // Excel"), asked of the host only then.
  void activateWindow(std::string_view title) override;
  // Where the host's main window is asked for: the handle it reports for a
  // title the tools bring forward, or none.
  using HostWindowSource = std::function<std::optional<std::int64_t>(std::string_view title)>;
  void setHostWindowSource(HostWindowSource source) { hostWindow_ = std::move(source); }
  // The program's path is made from GetSystemDirectoryW (where Notepad and the
  // other system programs live on every Windows and under Wine) and passed
  // as the program to run, so no folder is searched.
  bool startProcess(std::string_view systemProgram, std::string_view commandLine) override;
  std::string executableFolder() override;

 private:
  bool activateTitled(std::string_view title);
  void activateHostWindow(std::string_view title);

  HostWindowSource hostWindow_;
};

}  // namespace plotmate::app
