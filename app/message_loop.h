#pragma once
// The program's message loop: keyboard navigation (Tab, Alt+letter, Enter,
// Esc) in every top-level window of the program, until the last one closes.

namespace plotmate::app {

int RunMessageLoop();

}  // namespace plotmate::app
