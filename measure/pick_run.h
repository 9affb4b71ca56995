#pragma once
// What a picking run (the point and the distance tool) sets up before its
// first pick and keeps until it ends: the precision in force, the drawing's
// utility object, and where the rows go.

#include <cstdint>
#include <optional>

#include "format/output_file.h"
#include "hosts/acad.h"
#include "hosts/attach.h"
#include "hosts/excel.h"
#include "hosts/sheet_room.h"
#include "measure/measure_row.h"
#include "shell/settings.h"

namespace plotmate {

class PickRun {
 public:
  // The utility object comes first: a run that cannot pick must not leave an
  // empty block in the output file. Without a spreadsheet (ExcelMissing, or
  // no application ever attached) the output file is opened for appending.
  // On failure the message has been shown and the run must not start.
  static std::optional<PickRun> start(const HostSession& session, Platform& platform,
                                      const Settings& settings);

  // Utility is fetched again at the start of every later cycle; a failed
  // fetch keeps the object in hand.
  void refreshUtility();
  // Before a pick: whether the cells its row would take (`extent`, counted
  // from the active cell) fit on the sheet. When they do not, shows the
  // message saying so and returns false: the run ends before the pick. The
  // active cell's place and the sheet's size are read once, at the first
  // pick, and then followed row by row; a row the host did not take whole
  // has them read again. When they cannot be read the run ends too, and the
  // run report says why.
  bool roomFor(const TableExtent& extent, Platform& platform);
  // Records a row. A row the output file did not take ends the run with the
  // file's message (returns false); worksheet cells the host refuses are
  // dropped and told to `platform`'s run report, and a refused move that
  // leaves the active cell elsewhere than below the row ends the run (the
  // next row would land over this one).
  bool record(MeasureRow row, Platform& platform);
  // Whether the active cell is on the sheet's first row.
  bool onFirstRow() const { return place_ && place_->row == 1; }
  // The cell that far from the active cell, by name when its place is known.
  std::string cellName(std::int64_t rows, std::int64_t columns) const {
    return CellName(place_, rows, columns);
  }
  // Closes the output file, saying so when its last lines may be missing.
  void finish(Platform& platform);

  std::int16_t decimals() const { return decimals_; }
  const AcadUtility& utility() const { return utility_; }
  const AcadDocument& document() const { return document_; }
  // The worksheet, or nothing when the rows go to the output file.
  ExcelApp* sheet() { return file_ ? nullptr : &*excel_; }

 private:
  PickRun(std::int16_t decimals, AcadDocument document, AcadUtility utility)
      : decimals_(decimals), document_(std::move(document)), utility_(std::move(utility)) {}

  std::int16_t decimals_;
  AcadDocument document_;
  AcadUtility utility_;
  std::optional<ExcelApp> excel_;
  std::optional<OutputFile> file_;
  std::optional<SheetPlace> place_;  // where the next row starts
};

}  // namespace plotmate
