#include "sim/apps/sheet_painter.h"

#include <algorithm>

#include "hosts/com/bstr.h"
#include "sim/sheet/cell_text.h"
#include "win32/owned_handles.h"

namespace plotmate::sim {

namespace {

constexpr COLORREF kGridLine = RGB(218, 220, 224);
constexpr COLORREF kHeader = RGB(240, 240, 240);
constexpr COLORREF kHeaderMarked = RGB(210, 210, 210);
constexpr COLORREF kSelectionFill = RGB(204, 228, 214);
constexpr COLORREF kSelectionBorder = RGB(33, 115, 70);

void fill(HDC dc, RECT r, COLORREF colour) {
  win32::OwnedBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &r, brush.get());
}

RECT rectOf(const PixelRect& p) { return {p.left, p.top, p.right, p.bottom}; }

// The text a cell shows: its value as it would be typed, without the
// apostrophe that keeps a number-like text a text.
std::wstring shownText(const Variant& value) {
  std::string text = reenterableText(value);
  if (value.getIf<std::string>() && text.starts_with('\'')) text.erase(0, 1);
  return com::toWide(text);
}

void drawText(HDC dc, RECT r, const std::wstring& text, UINT align) {
  InflateRect(&r, -3, 0);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void drawHeaders(HDC dc, const RECT& body, const SheetPicture& p) {
  const GridLayout& g = p.grid;
  const Area& sel = p.sheet.selection();
  fill(dc, {0, 0, body.right, g.headerHeight}, kHeader);
  fill(dc, {0, 0, g.headerWidth, body.bottom}, kHeader);
  for (int c = 0; c < g.visibleColumns(body.right) + 1; ++c) {
    const CellRef cell{g.topLeft.row, g.topLeft.column + c};
    if (!inSheet(cell)) break;
    const PixelRect r = g.cellRect(cell);
    RECT head{r.left, 0, r.right, g.headerHeight};
    if (cell.column >= sel.first.column && cell.column <= sel.last.column) fill(dc, head, kHeaderMarked);
    drawText(dc, head, com::toWide(columnLetters(cell.column)), DT_CENTER);
  }
  for (int row = 0; row < g.visibleRows(body.bottom) + 1; ++row) {
    const CellRef cell{g.topLeft.row + row, g.topLeft.column};
    if (!inSheet(cell)) break;
    const PixelRect r = g.cellRect(cell);
    RECT head{0, r.top, g.headerWidth, r.bottom};
    if (cell.row >= sel.first.row && cell.row <= sel.last.row) fill(dc, head, kHeaderMarked);
    drawText(dc, head, std::to_wstring(cell.row), DT_CENTER);
  }
}

void drawGridLines(HDC dc, const RECT& body, const GridLayout& g) {
  win32::OwnedPen pen(CreatePen(PS_SOLID, 1, kGridLine));
  auto selected = win32::selectInto(dc, pen.get());
  for (int x = g.headerWidth; x < body.right; x += g.columnWidth) {
    MoveToEx(dc, x, 0, nullptr);
    LineTo(dc, x, body.bottom);
  }
  for (int y = g.headerHeight; y < body.bottom; y += g.rowHeight) {
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, body.right, y);
  }
}

// The selection's shade and border, clipped to the cells shown.
void drawSelection(HDC dc, const RECT& body, const SheetPicture& p) {
  const Area& sel = p.sheet.selection();
  RECT area = rectOf(p.grid.cellRect(sel.first));
  const RECT last = rectOf(p.grid.cellRect(sel.last));
  area.right = last.right;
  area.bottom = last.bottom;
  RECT shown;
  const RECT cells{p.grid.headerWidth, p.grid.headerHeight, body.right, body.bottom};
  if (!IntersectRect(&shown, &area, &cells)) return;
  if (sel.cellCount() > 1) fill(dc, shown, kSelectionFill);
  RECT active = rectOf(p.grid.cellRect(p.sheet.activeCell()));
  fill(dc, active, RGB(255, 255, 255));
  win32::OwnedPen pen(CreatePen(PS_SOLID, 2, kSelectionBorder));
  auto penSelected = win32::selectInto(dc, pen.get());
  auto brushSelected = win32::selectInto(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, area.left, area.top, area.right + 1, area.bottom + 1);
}

void drawCells(HDC dc, const RECT& body, const SheetPicture& p) {
  const GridLayout& g = p.grid;
  const CellRef last{g.topLeft.row + g.visibleRows(body.bottom), g.topLeft.column + g.visibleColumns(body.right)};
  for (auto it = p.sheet.cells().lower_bound(g.topLeft); it != p.sheet.cells().end(); ++it) {
    const auto& [cell, value] = *it;
    if (cell.row > last.row) break;
    if (cell.column < g.topLeft.column || cell.column > last.column) continue;
    if (p.typing && cell == p.sheet.activeCell()) continue;
    const bool number = value.getIf<double>() != nullptr;
    const bool text = value.getIf<std::string>() != nullptr;
    drawText(dc, rectOf(g.cellRect(cell)), shownText(value), number ? DT_RIGHT : text ? DT_LEFT : DT_CENTER);
  }
  if (p.typing) drawText(dc, rectOf(g.cellRect(p.sheet.activeCell())), *p.typing + L"|", DT_LEFT);
}

}  // namespace

void paintSheet(HDC dc, const RECT& client, const SheetPicture& picture) {
  const RECT body{0, 0, client.right, std::max<LONG>(0, client.bottom - kStatusBarHeight)};
  fill(dc, client, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  auto fontSelected = win32::selectInto(dc, GetStockObject(DEFAULT_GUI_FONT));
  {
    win32::OwnedRegion clip(CreateRectRgn(body.left, body.top, body.right, body.bottom));
    SelectClipRgn(dc, clip.get());  // the DC keeps a copy of the region
    drawGridLines(dc, body, picture.grid);
    if (!picture.sheet.selectedObject()) drawSelection(dc, body, picture);
    drawCells(dc, body, picture);
    drawHeaders(dc, body, picture);
    SelectClipRgn(dc, nullptr);
  }
  RECT status{0, body.bottom, client.right, client.bottom};
  fill(dc, status, kHeader);
  drawText(dc, status, com::toWide(picture.status), DT_LEFT);
}

}  // namespace plotmate::sim
