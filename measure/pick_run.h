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
  // Records a row. A row the output file did not take ends the run with the
  // file's message (returns false); worksheet failures are skipped.
  bool record(MeasureRow row, Platform& platform);
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
};

}  // namespace plotmate
