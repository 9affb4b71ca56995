#include "measure/pick_run.h"

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

bool PickRun::record(MeasureRow row, Platform& platform) {
  MeasureTarget target{sheet(), file_ ? &*file_ : nullptr};
  auto written = WriteMeasureRow(target, row, decimals_);
  if (written || !file_) return true;
  platform.messageBox(written.error().description);
  return false;
}

void PickRun::finish(Platform& platform) {
  if (!file_) return;
  if (auto closed = file_->close(); !closed) platform.messageBox(closed.error().description);
  file_.reset();
}

}  // namespace plotmate
