#pragma once
// The settings window "SET" as state: the precision text and the engineering
// coordinate box. Nothing is stored while the window is open; closing it
// stores both. The Win32 window binds to this.

#include <cstdint>
#include <string>

#include "shell/settings.h"

namespace plotmate {

struct SETfrm {
  std::string txtPrec = "3";     // the precision as typed
  std::int16_t chkboolCoor = 0;  // "YOX"; holds the setting as loaded until clicked

  // The box shows ticked only for 1, the one value that turns the swap on.
  bool coordinatesTicked() const { return chkboolCoor == 1; }

  void Form_Load(const Settings& settings);
  // The box was clicked to `ticked`.
  void chkboolCoor_Click(bool ticked) { chkboolCoor = ticked ? 1 : 0; }
  // PREC from the text (held to 16 bits; a negative value is kept and formats
  // as 0 decimals), then YOX from the box.
  void Form_Unload(Settings& settings) const;
};

}  // namespace plotmate
