#include "measure/measure_area.h"

#include <cstdint>

#include "format/number_text.h"
#include "hosts/acad.h"
#include "hosts/excel.h"
#include "measure/measure_desktop.h"
#include "measure/measure_row.h"

namespace plotmate {

namespace {

constexpr char kCr = '\r';  // Enter, inside a command line

// One click of "AREA". Counts and indices are 32-bit: model spaces beyond
// 32767 objects are measured like any other.
class AreaRun {
 public:
  AreaRun(const HostSession& session, Platform& platform, const Settings& settings)
      : session_(session),
        platform_(platform),
        settings_(settings),
        decimals_(settings.PREC),
        document_(session.AcadDoc),
        space_(session.AcadModelSpace) {}

  void run() {
    for (;;) {
      auto base = space_.count();
      if (!base) return ShowAcadFailure(platform_, base.error());
      base_ = *base;
      auto utility = document_.utility();
      if (!utility) return ShowAcadFailure(platform_, utility.error());
      auto picked = utility->getPoint(std::nullopt, std::string(kAreaPickPrompt));
      if (!picked) return;  // cancelled (or failed): nothing has changed yet
      // The command line takes points in the user system, as a drafter types them.
      auto user = utility->translateCoordinates(*picked, kWorld, kUser, false);
      if (!user && LacksMember(user.error()))
        return platform_.messageBox(MissingMemberMessage(kTranslateCoordinates, user.error()));
      if (!user) return ShowAcadFailure(platform_, user.error());

      auto added = runBoundary((*user)[0], (*user)[1]);
      if (!added) return abandon(added.error());
      if (*added > 0) {
        if (auto measured = measure(*added); !measured) abandon(measured.error());
        return;
      }
      platform_.messageBox(kNoBoundaryMessage);
      platform_.activateWindow(kAcadWindowTitle);
    }
  }

 private:
  // The boundary command with the prompts silenced; NOMUTT goes back to 0
  // whatever became of the command. Returns how many objects it added.
  Result<std::int32_t> runBoundary(double x, double y) {
    const std::string variable(kNoMuttVariable);
    PLOTMATE_RETURN_IF_FAILED(document_.setVariable(variable, std::int16_t{1}));
    auto sent = document_.sendCommand(BoundaryCommandText(x, y));
    auto unmuted = document_.setVariable(variable, std::int16_t{0});
    PLOTMATE_RETURN_IF_FAILED(sent);
    PLOTMATE_RETURN_IF_FAILED(unmuted);
    PLOTMATE_TRY(count, space_.count());
    return *count - base_;
  }

  // The largest new region is the outer one; it must be the first the
  // command added, with the islands after it.
  Result<void> measure(std::int32_t added) {
    PLOTMATE_TRY(count, space_.count());
    const std::int32_t last = *count - 1;
    double largest = 0;
    std::int32_t index = 0;
    for (std::int32_t i = base_; i <= last; ++i) {
      PLOTMATE_TRY(area, areaAt(i));
      if (*area > largest) {
        largest = *area;
        index = i;
      }
    }
    PLOTMATE_TRY(outer, space_.item(index));
    if (index != base_) {
      removeAdded();
      platform_.messageBox(kAreaErrorMessage);
      return {};
    }
    if (auto subtracted = subtractIslands(*outer, added); !subtracted) return subtracted;
    if (auto shown = outer->highlight(true); !shown) return shown;
    PLOTMATE_TRY(area, outer->area());
    report(*area);
    if (auto deleted = outer->erase(); !deleted) ShowAcadFailure(platform_, deleted.error());
    platform_.activateWindow(kAcadWindowTitle);
    return {};
  }

  Result<double> areaAt(std::int32_t index) const {
    PLOTMATE_TRY(object, space_.item(index));
    return object->area();
  }

  // Each subtraction takes the newest object, which the host then removes;
  // an object at or below the outer region's index is never touched.
  Result<void> subtractIslands(const AcadEntity& outer, std::int32_t added) {
    for (std::int32_t n = 1; n < added; ++n) {
      PLOTMATE_TRY(count, space_.count());
      if (*count - 1 <= base_) break;
      PLOTMATE_TRY(island, space_.item(*count - 1));
      if (auto done = outer.boolean(kBooleanSubtract, *island); !done) return done;
    }
    return {};
  }

  void report(double area) {
    const std::string areaText = std::string(kAreaMessagePrefix) + countingForm(area);
    if (settings_.WriteToExcel != 0 && session_.ExcelMissing == 0 && session_.ExcelApp) {
      ExcelApp excel(session_.ExcelApp);
      const MeasureRow row{{{area, 1}, {}, {}}};
      // No room for the cell and the row below it: the area goes into the
      // message. Where the room cannot be read, the message alone gives it.
      auto place = ReadSheetPlace(excel);
      if (place) {
        if (auto noRoom = NoRoomMessage(*place, MeasureRowScript(row, decimals_).extent()))
          return platform_.messageBox(*noRoom + "\n\n" + areaText);
        if (WriteMeasureRow(MeasureTarget{&excel, nullptr, place->size, nullptr}, row, decimals_))
          return;
      }
      // The cell may not hold it: the drafter reads the area below instead.
    }
    platform_.messageBox(areaText);
  }

  // Every object from the base count on was added by this run's command.
  Result<void> deleteAdded() {
    PLOTMATE_TRY(count, space_.count());
    for (std::int32_t i = *count - 1; i >= base_; --i) {
      PLOTMATE_TRY(object, space_.item(i));
      if (auto deleted = object->erase(); !deleted) return deleted;
    }
    return {};
  }

  // Regions the host does not let go stay in the drawing: said in the run report.
  void removeAdded() {
    if (auto removed = deleteAdded(); !removed)
      platform_.stepRefused(HostKind::Drawing, {RefusedKind::Other, std::string(kRegionsLeftText)},
                            removed.error());
  }

  // A host failure after the command: the run's regions go, then the reason is shown.
  void abandon(const Error& error) {
    removeAdded();
    ShowAcadFailure(platform_, error);
  }

  const HostSession& session_;
  Platform& platform_;
  const Settings& settings_;
  const std::int16_t decimals_;
  AcadDocument document_;
  AcadModelSpace space_;
  std::int32_t base_ = 0;
};

}  // namespace

std::string BoundaryCommandText(double x, double y) {
  std::string text = "-boundary";
  for (const char* answer : {"a", "o", "r", ""}) (text += kCr) += answer;
  text += kCr;
  text += countingForm(x) + "," + countingForm(y);
  text += kCr;
  text += kCr;
  return text;
}

void MeasureArea(const HostSession& session, Platform& platform, Settings settings) {
  platform.activateWindow(kAcadWindowTitle);
  if (!session.AcadDoc || !session.AcadModelSpace)
    return ShowAcadFailure(platform, Error{hr::kFail, std::string(kNoDrawingDescription)});
  AreaRun(session, platform, settings).run();
}

}  // namespace plotmate
