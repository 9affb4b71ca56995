#pragma once
// The only door to the desktop. Win32 implements it for the real program;
// tests and the scenario runner use a recording fake.

#include <string>
#include <string_view>

#include "base/result.h"
#include "hosts/host_programs.h"
#include "hosts/refused_steps.h"

namespace plotmate {

// Titles of the host windows the tools bring forward (matched by prefix, any case).
inline constexpr std::string_view kAcadWindowTitle = "autoCAD";
inline constexpr std::string_view kExcelWindowTitle = "Microsoft Excel";

class Platform {
 public:
  virtual ~Platform() = default;
  // A message box with an OK button; an empty title means the program's default title.
  virtual void messageBox(std::string_view text, std::string_view title = {}) = 0;
  // Brings forward the top-level window whose title equals `title`, else one whose
  // title begins with it, compared without regard to case; nothing when there is none.
  virtual void activateWindow(std::string_view title) = 0;
  // Starts the program `systemProgram` (a file name) of the Windows system
  // folder, named by its full path and never searched for, and hands it
  // `commandLine` whole (its first word, by custom, the program's name).
  // Does not wait for it; false when it cannot start.
  virtual bool startProcess(std::string_view systemProgram, std::string_view commandLine) = 0;
  // The folder holding the program's executable, without a trailing separator.
  virtual std::string executableFolder() = 0;
  // A step the drawing or the spreadsheet host refused in a tool run; the
  // run went on without it. The run report in front of the desktop says
  // every such step once, when the run ends, naming the program attached;
  // a desktop without one lets them pass.
  virtual void stepRefused(HostKind /*host*/, RefusedStep /*step*/, const Error& /*error*/) {}
};

}  // namespace plotmate
