#pragma once
// The point tool's window "ID" as state: its four check
// boxes, bound to the X, Y, Z and T settings. The Win32 window binds to this
// and forwards its events.

#include <cstdint>

#include "measure/measure_desktop.h"
#include "shell/settings.h"

namespace plotmate {

struct Idfrm {
  std::int16_t chkboolX = 0;     // "X"
  std::int16_t chkboolY = 0;     // "Y"
  std::int16_t chkboolZ = 0;     // "Z"
  std::int16_t chkboolText = 0;  // " T": also record a picked text's string

  void Form_Load(const Settings& settings);
  // Each box is stored in its setting as soon as it is clicked.
  void chkboolX_Click(std::int16_t value, Settings& settings);
  void chkboolY_Click(std::int16_t value, Settings& settings);
  void chkboolZ_Click(std::int16_t value, Settings& settings);
  void chkboolText_Click(std::int16_t value, Settings& settings);
  void Form_Unload(Settings& settings) const;
  // "PikPt": attaches the drawing, then the spreadsheet, and picks unless the
  // drawing host is missing (a missing spreadsheet means file output).
  void Command2_Click(ToolDesk& desk, const Settings& settings) const;
};

}  // namespace plotmate
