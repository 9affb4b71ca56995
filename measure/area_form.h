#pragma once
// The area tool's window "AREA" as state: its check box
// "写入EXCEL", bound to the WriteToExcel setting. It has no unload step: a
// click already stored the box. The Win32 window binds to this.

#include <cstdint>

#include "measure/measure_desktop.h"
#include "shell/settings.h"

namespace plotmate {

struct Areafrm {
  std::int16_t chkboolArea = 0;  // not 0: the area goes to the worksheet

  void Form_Load(const Settings& settings);
  void chkboolArea_Click(std::int16_t value, Settings& settings);
  // "AREA": the spreadsheet is attached first, and only when the area is
  // meant for it; then the drawing; the area is measured unless the drawing
  // host is missing.
  void Command6_Click(ToolDesk& desk, const Settings& settings) const;
};

}  // namespace plotmate
