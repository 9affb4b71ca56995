#pragma once
// The sheet stand-in's grid on screen: row and column headers, cells of one
// size, scrolled so that `topLeft` is the first cell shown; which cell lies
// under a pixel and where a cell is drawn; and the selection a click,
// shift-click or drag makes, as a spreadsheet makes it.

#include <optional>

#include "sim/sheet/sheet_area.h"

namespace plotmate::sim {

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct GridLayout {
  int headerWidth = 44;   // the row numbers' column
  int headerHeight = 22;  // the column letters' row
  int columnWidth = 80;
  int rowHeight = 22;
  CellRef topLeft{1, 1};

  // The cell under the pixel; nothing over the headers or outside the sheet.
  std::optional<CellRef> cellAt(int x, int y) const;
  PixelRect cellRect(CellRef cell) const;
  // Whole cells that fit in a client of that size (at least one each way).
  int visibleRows(int clientHeight) const;
  int visibleColumns(int clientWidth) const;
  // Scrolls the least needed so that the cell is shown whole.
  void scrollToShow(CellRef cell, int clientWidth, int clientHeight);
};

// The selection as the mouse makes it: a click selects the cell and makes
// it active (the anchor), a shift-click or a drag spans from the anchor to the
// cell reached, the anchor staying active.
struct MouseSelection {
  CellRef anchor{1, 1};
  Area area = Area::cell({1, 1});

  void click(CellRef cell, bool extend);
  void dragTo(CellRef cell) { area = Area::spanning(anchor, cell); }
};

}  // namespace plotmate::sim
