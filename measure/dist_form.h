#pragma once
// The distance tool's window "DIST" as state: its three
// check boxes, bound to the DX, DY and DI settings. The Win32 window binds
// to this and forwards its events.

#include <cstdint>

#include "hosts/acad.h"
#include "measure/measure_desktop.h"
#include "shell/main_form.h"
#include "shell/settings.h"

namespace plotmate {

struct Distfrm {
  std::int16_t chkboolDX = 0;  // "DX": record dX
  std::int16_t chkboolDY = 0;  // "DY": record dY
  std::int16_t chkboolDI = 0;  // "DI": record the distance

  void Form_Load(const Settings& settings);
  // Each box is stored in its setting as soon as it is clicked.
  void chkboolDX_Click(std::int16_t value, Settings& settings);
  void chkboolDY_Click(std::int16_t value, Settings& settings);
  void chkboolDI_Click(std::int16_t value, Settings& settings);
  void Form_Unload(Settings& settings) const;
  // "Dist": attaches the drawing, then the spreadsheet, and measures unless
  // the drawing host is missing (a missing spreadsheet means file output).
  void Command1_Click(ToolDesk& desk, const Settings& settings, const MainForm& mainForm,
                      AcadSelectionSet& textSet) const;
};

}  // namespace plotmate
