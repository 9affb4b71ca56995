#include "hosts/attach.h"

#include <string>

namespace plotmate {

namespace {

void reportMissing(Platform& platform, std::string_view message, const Error& error) {
  platform.messageBox(std::string(message) + "\n\n" + error.description);
}

}  // namespace

void AttachAcad(HostSession& session, HostBroker& broker, Platform& platform) {
  session.AcadMissing = 0;
  auto app = broker.findRunning(kAcadProgId);
  if (!app) {
    session.AcadMissing = -1;
    reportMissing(platform, kAcadMissingMessage, app.error());
    return;
  }
  session.AcadApp = *app;
  (void)session.AcadApp->put("Visible", true);
  if (auto doc = getObject(*session.AcadApp, "ActiveDocument")) session.AcadDoc = *doc;
  if (session.AcadDoc) {
    if (auto space = getObject(*session.AcadDoc, "ModelSpace")) session.AcadModelSpace = *space;
  }
}

void AttachExcel(HostSession& session, HostBroker& broker, Platform& platform) {
  session.ExcelMissing = 0;
  auto app = broker.findRunning(kExcelProgId);
  if (!app) {
    session.ExcelMissing = -1;
    reportMissing(platform, kExcelMissingMessage, app.error());
    return;
  }
  session.ExcelApp = *app;
}

}  // namespace plotmate
