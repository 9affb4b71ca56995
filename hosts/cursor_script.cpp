#include "hosts/cursor_script.h"

#include <charconv>
#include <cmath>
#include <map>
#include <utility>

#include "format/format_fixed.h"
#include "hosts/broker.h"
#include "hosts/excel_codes.h"

namespace plotmate {

namespace {

struct Place {
  std::int64_t row = 0;
  std::int64_t column = 0;
  auto operator<=>(const Place&) const = default;
};

// The script walked without the host: the cells it writes (the last write of
// a cell wins), the cells it activates in order, and where it ends.
struct Walk {
  std::map<Place, Variant> written;
  std::vector<Place> activated;
  Place end;
};

Walk walk(const CursorScript& script) {
  Walk w;
  for (const CursorStep& step : script.steps()) {
    if (step.write) {
      w.written[w.end] = step.value;
    } else {
      w.end = {w.end.row + step.rows, w.end.column + step.columns};
      w.activated.push_back(w.end);
    }
  }
  return w;
}

// A rectangle of written cells, relative to the active cell, filled row-major.
struct Block {
  Place first;
  std::int64_t rows = 0;
  std::int64_t columns = 0;
  std::vector<Variant> values;
};

// Each row's written cells in runs of adjacent columns; a run directly below
// one over the same columns joins its block. Cells the steps never
// write are never part of a block, so a block's write changes nothing else.
std::vector<Block> blocksOf(const Walk& w) {
  std::vector<Block> blocks;
  Block run;
  auto flush = [&] {
    if (run.rows > 0) blocks.push_back(std::move(run));
    run = {};
  };
  for (auto it = w.written.begin(); it != w.written.end();) {
    // One run of a row: adjacent columns from `it`.
    Block row{it->first, 1, 0, {}};
    Place next = it->first;
    for (; it != w.written.end() && it->first == next; ++it, ++next.column) {
      row.values.push_back(it->second);
      ++row.columns;
    }
    const bool joins = run.rows > 0 && run.first.column == row.first.column &&
                       run.columns == row.columns && run.first.row + run.rows == row.first.row;
    if (joins) {
      run.values.insert(run.values.end(), row.values.begin(), row.values.end());
      ++run.rows;
      continue;
    }
    flush();
    run = std::move(row);
  }
  flush();
  return blocks;
}

bool inSheet(std::int64_t row, std::int64_t column, const SheetSize& size) {
  return row >= 1 && row <= size.rows && column >= 1 && column <= size.columns;
}

bool contains(const SelectionGeometry& area, std::int64_t row, std::int64_t column) {
  return row >= area.row && row < std::int64_t{area.row} + area.rows && column >= area.column &&
         column < std::int64_t{area.column} + area.columns;
}

Result<void> writeBlock(ExcelRange& anchor, const Block& block) {
  PLOTMATE_TRY(corner, anchor.offset(static_cast<std::int32_t>(block.first.row),
                                     static_cast<std::int32_t>(block.first.column)));
  if (block.values.size() == 1) return corner->setValue(block.values.front());
  PLOTMATE_TRY(range, corner->resize(static_cast<std::int32_t>(block.rows),
                                     static_cast<std::int32_t>(block.columns)));
  VariantGrid grid(static_cast<std::size_t>(block.rows), static_cast<std::size_t>(block.columns));
  grid.cells = block.values;
  return range->setValues(std::move(grid));
}

Result<void> playInBulk(ExcelApp& excel, const CursorScript& script, const SheetSize& size) {
  const Walk w = walk(script);
  PLOTMATE_TRY(selection, excel.selection());
  PLOTMATE_TRY(selected, selection->area());
  PLOTMATE_TRY(anchor, excel.activeCell());
  PLOTMATE_TRY(start, anchor->area());

  // Activating a cell inside the selection only moves the active cell; any
  // other cell becomes the selection. So the selection survives the steps
  // only when every cell they activate lies inside it.
  bool selectionKept = true;
  for (const Place& p : w.activated) {
    const std::int64_t row = start->row + p.row, column = start->column + p.column;
    // A step off the sheet is refused call by call: that path knows what it leaves.
    if (!inSheet(row, column, size)) return fail(xl::kObjectDefinedError, xl::kObjectDefinedText);
    selectionKept = selectionKept && contains(*selected, row, column);
  }

  for (const Block& block : blocksOf(w))
    if (auto written = writeBlock(*anchor, block); !written) return written;
  if (w.activated.empty()) return {};
  PLOTMATE_TRY(end, anchor->offset(static_cast<std::int32_t>(w.end.row),
                                   static_cast<std::int32_t>(w.end.column)));
  return selectionKept ? end->activate() : end->select();
}

}  // namespace

void CursorScript::writeAcross(std::initializer_list<const char*> texts) {
  bool first = true;
  for (const char* text : texts) {
    if (!first) move(0, 1);
    first = false;
    write(Variant(text));
  }
}

void CursorScript::writeNumber(double value, std::int16_t decimals) {
  const std::string text = CellText(value, decimals);
  double number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  // CellText of a finite value always reads back; anything else goes as typed input.
  if (error == std::errc() && end == text.data() + text.size() && std::isfinite(number))
    write(Variant(number));
  else
    write(Variant(text));
}

void CursorScript::append(const CursorScript& next) {
  steps_.insert(steps_.end(), next.steps_.begin(), next.steps_.end());
}

TableExtent CursorScript::extent() const {
  const Walk w = walk(*this);
  TableExtent extent;
  for (const auto& [place, value] : w.written) extent.include(place.row, place.column);
  for (const Place& place : w.activated) extent.include(place.row, place.column);
  return extent;
}

std::pair<std::int64_t, std::int64_t> CursorScript::end() const {
  const Place end = walk(*this).end;
  return {end.row, end.column};
}

namespace {

// The cell `by` away from the script's start: the start itself, or its Offset.
Result<ExcelRange> cellAt(Result<ExcelRange>& start, const Place& by) {
  PLOTMATE_RETURN_IF_FAILED(start);
  if (by == Place{}) return *start;
  return start->offset(static_cast<std::int32_t>(by.row), static_cast<std::int32_t>(by.column));
}

void tell(Platform* report, RefusedKind kind, std::string cell, const Error& error) {
  if (report) report->stepRefused(HostKind::Spreadsheet, {kind, std::move(cell)}, error);
}

}  // namespace

Result<void> PlayCallByCall(ExcelApp& excel, const CursorScript& script, Platform* report) {
  Result<ExcelRange> start = excel.activeCell();
  // The start's address only names the cells in the report.
  std::optional<SheetPlace> named;
  if (start && report)
    if (auto area = start->area()) named = SheetPlace{area->row, area->column, {}};
  Result<void> first;
  Result<void> lastMove;
  Place cursor;
  for (const CursorStep& step : script.steps()) {
    Result<void> done;
    if (step.write) {
      auto cell = cellAt(start, cursor);
      done = cell ? cell->setValue(step.value) : Result<void>(std::unexpected(cell.error()));
      if (!done) tell(report, RefusedKind::CellWrite, CellName(named, cursor.row, cursor.column), done.error());
    } else {
      cursor = {cursor.row + step.rows, cursor.column + step.columns};
      auto cell = cellAt(start, cursor);
      lastMove = done = cell ? cell->activate() : Result<void>(std::unexpected(cell.error()));
    }
    if (first && !done) first = done;
  }
  // Only where the active cell ends is seen after the run.
  if (!lastMove) tell(report, RefusedKind::CursorMove, CellName(named, cursor.row, cursor.column), lastMove.error());
  return first;
}

Result<void> PlayAtActiveCell(ExcelApp& excel, const CursorScript& script,
                              const std::optional<SheetSize>& size, Platform* report) {
  if (script.steps().empty()) return {};  // nothing to write: not even a look at the sheet
  if (size)
    if (auto bulk = playInBulk(excel, script, *size)) return bulk;
  return PlayCallByCall(excel, script, report);
}

std::optional<std::string> WriteTableWhereItFits(ExcelApp& excel, const CursorScript& script,
                                                 Platform& report) {
  if (script.steps().empty()) return std::nullopt;
  auto place = ReadSheetPlace(excel);
  // A table that may not fit is not written: the refusal says why.
  if (!place) {
    report.stepRefused(HostKind::Spreadsheet, {RefusedKind::Other, std::string(kPlaceUnreadText)},
                       place.error());
    return std::nullopt;
  }
  if (auto noRoom = NoRoomMessage(*place, script.extent())) return noRoom;
  (void)PlayAtActiveCell(excel, script, place->size, &report);
  return std::nullopt;
}

}  // namespace plotmate
