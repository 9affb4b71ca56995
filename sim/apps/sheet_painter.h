#pragma once
// Paints the sheet stand-in's grid as a spreadsheet draws it: column letters
// and row numbers (those of the selection marked), cell texts (numbers to
// the right, texts to the left), the selection shaded within a thick border
// and the active cell left white inside it, the text being typed in the
// active cell, and a status bar.

#include <windows.h>

#include <optional>
#include <string>

#include "sim/apps/view/sheet_grid.h"
#include "sim/sheet/worksheet.h"

namespace plotmate::sim {

struct SheetPicture {
  const Worksheet& sheet;
  const GridLayout& grid;
  const std::optional<std::wstring>& typing;  // the active cell's edit, while typing
  const std::string& status;
};

inline constexpr int kStatusBarHeight = 22;

void paintSheet(HDC dc, const RECT& client, const SheetPicture& picture);

}  // namespace plotmate::sim
