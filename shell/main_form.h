#pragma once
// The main window's state that tools read while they run: the crossing-line
// box beside the two buttons, and the distance tool's text-update switch and
// prefix. The Win32 window only binds to this.

#include <cstdint>
#include <string>

#include "shell/settings.h"

namespace plotmate {

struct MainForm {
  std::int16_t chkboolIntersect = 0;  // 1: the polyline export also writes crossing lines
  std::int16_t chkboolchgtxt = 0;     // "MO", 1: measured distances go into picked texts
  std::string txtPref;                // "Pref": put in front of every value written into a text
  std::string txtSuf;                 // "Suf": shown, read by no tool

  // After the settings file is read, the crossing box shows the stored choice.
  void showSettings(const Settings& settings) { chkboolIntersect = settings.InterCoord; }
  // The crossing box was clicked to `value` (0 or 1): the choice is stored at once.
  void chkboolIntersect_Click(std::int16_t value, Settings& settings) {
    chkboolIntersect = value;
    settings.InterCoord = value;
  }
};

}  // namespace plotmate
