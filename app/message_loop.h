#pragma once
// The program's message loop: keyboard navigation (Tab, Alt+letter, Enter,
// Esc) in every top-level window of the program, until the last one closes.

#include "app/program_windows.h"

namespace plotmate::app {

int RunMessageLoop(const ProgramWindows& windows);

}  // namespace plotmate::app
