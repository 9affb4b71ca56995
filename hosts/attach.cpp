#include "hosts/attach.h"

#include <string>
#include <vector>

#include "hosts/host_programs.h"
#include "hosts/host_window.h"

namespace plotmate {

namespace {

struct RunningHost {
  DispatchPtr app;
  std::string_view progId;  // the class name it answered to
};

// The running host of a kind that the drafter uses: the only one running,
// else the one whose main window stands highest, else the first in list
// order. Main windows are read only when there is a choice to make. When
// none runs, the error of the kind's first class (AutoCAD's, Excel's).
Result<RunningHost> hostInUse(HostBroker& broker, HostKind kind) {
  std::vector<RunningHost> running;
  std::optional<Error> firstError;
  for (const auto& program : hostPrograms(kind)) {
    auto app = broker.findRunning(program.progId);
    if (app && *app) {
      running.push_back({*app, program.progId});
    } else if (!firstError) {
      firstError = app ? Error{hr::kFail, "Operation unavailable"} : app.error();
    }
  }
  if (running.empty()) return std::unexpected(*firstError);
  if (running.size() == 1) return running.front();
  std::vector<std::int64_t> windows;
  for (const auto& host : running) windows.push_back(mainWindowOf(*host.app, kind).value_or(0));
  const std::size_t chosen = broker.frontmost(windows).value_or(0);
  return running[chosen < running.size() ? chosen : 0];
}

void reportMissing(Platform& platform, std::string_view message, const Error& error, HostKind kind) {
  platform.messageBox(std::string(message) + "\n\n" + error.description + "\n\n" + alsoLookedFor(kind));
}

}  // namespace

void AttachAcad(HostSession& session, HostBroker& broker, Platform& platform) {
  session.AcadMissing = 0;
  auto app = hostInUse(broker, HostKind::Drawing);
  if (!app) {
    session.AcadMissing = -1;
    reportMissing(platform, kAcadMissingMessage, app.error(), HostKind::Drawing);
    return;
  }
  session.AcadApp = app->app;
  session.acadProgId = app->progId;
  (void)session.AcadApp->put("Visible", true);
  if (auto doc = getObject(*session.AcadApp, "ActiveDocument")) session.AcadDoc = *doc;
  if (session.AcadDoc) {
    if (auto space = getObject(*session.AcadDoc, "ModelSpace")) session.AcadModelSpace = *space;
  }
}

void AttachExcel(HostSession& session, HostBroker& broker, Platform& platform) {
  session.ExcelMissing = 0;
  auto app = hostInUse(broker, HostKind::Spreadsheet);
  if (!app) {
    session.ExcelMissing = -1;
    reportMissing(platform, kExcelMissingMessage, app.error(), HostKind::Spreadsheet);
    return;
  }
  session.ExcelApp = app->app;
  session.excelProgId = app->progId;
}

}  // namespace plotmate
