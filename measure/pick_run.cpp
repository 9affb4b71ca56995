#include "measure/pick_run.h"

#include "hosts/broker.h"
#include "measure/measure_desktop.h"

namespace plotmate {

std::optional<PickRun> PickRun::start(const HostSession& session, Platform& platform,
                                      const Settings& settings) {
  const std::int16_t decimals = settings.PREC;
  if (!session.AcadDoc) {
    ShowAcadFailure(platform, Error{hr::kFail, std::string(kNoDrawingDescription)});
    return std::nullopt;
  }
  AcadDocument document(session.AcadDoc);
  auto utility = document.utility();
  if (!utility) {
    ShowAcadFailure(platform, utility.error());
    return std::nullopt;
  }
  PickRun run(decimals, std::move(document), std::move(*utility));
  if (session.ExcelMissing == 0 && session.ExcelApp) {
    run.excel_.emplace(session.ExcelApp);
    return run;
  }
  auto file = OutputFile::open(std::filesystem::path(kOutputFileName), decimals);
  if (!file) {
    platform.messageBox(file.error().description);
    return std::nullopt;
  }
  run.file_.emplace(std::move(*file));
  return run;
}

void PickRun::refreshUtility() {
  if (auto fresh = document_.utility()) utility_ = std::move(*fresh);
}

bool PickRun::roomFor(const TableExtent& extent, Platform& platform) {
  ExcelApp* excel = sheet();
  if (!excel) return true;
  if (!place_) {
    // Where the row would go unknown: the run ends before the pick, saying so.
    auto place = ReadSheetPlace(*excel);
    if (!place) {
      platform.stepRefused(HostKind::Spreadsheet,
                           {RefusedKind::Other, std::string(kPlaceUnreadText)}, place.error());
      return false;
    }
    place_ = *place;
  }
  auto noRoom = NoRoomMessage(*place_, extent);
  if (noRoom) platform.messageBox(*noRoom);
  return !noRoom;
}

bool PickRun::record(MeasureRow row, Platform& platform) {
  std::optional<SheetSize> size;
  if (place_) size = place_->size;
  MeasureTarget target{sheet(), file_ ? &*file_ : nullptr, size, &platform};
  auto written = WriteMeasureRow(target, row, decimals_);
  if (!file_) {
    // Followed here while the host takes every step. After a refused one the
    // active cell is read again: when it is not below the row (a refused
    // move), the next row would land over this one, so the run ends.
    const auto [rows, columns] = MeasureRowScript(row, decimals_).end();
    if (!place_) return true;
    place_->row += rows;
    place_->column += columns;
    if (written) return true;
    const SheetPlace expected = *place_;
    place_.reset();
    if (!roomFor({}, platform)) return false;
    return place_->row == expected.row && place_->column == expected.column;
  }
  if (written) return true;
  platform.messageBox(written.error().description);
  return false;
}

void PickRun::finish(Platform& platform) {
  if (!file_) return;
  if (auto closed = file_->close(); !closed) platform.messageBox(closed.error().description);
  file_.reset();
}

}  // namespace plotmate
