#include "pline/main_buttons.h"

#include "pline/polyline_to_sheet.h"
#include "pline/sheet_to_polyline.h"

namespace plotmate {

void AttachAndExportPolyline(HostSession& hosts, HostBroker& broker, Platform& platform,
                    const Settings& settings, const MainForm& form) {
  AttachAcad(hosts, broker, platform);
  AttachExcel(hosts, broker, platform);
  if (hosts.AcadMissing == 0) PolylineToSheet(hosts, platform, settings, form);
}

void AttachAndDrawPolyline(HostSession& hosts, HostBroker& broker, Platform& platform,
                    const Settings& settings) {
  AttachAcad(hosts, broker, platform);
  AttachExcel(hosts, broker, platform);
  if (hosts.AcadMissing == 0 && hosts.ExcelMissing == 0) SheetToPolyline(hosts, platform, settings);
}

}  // namespace plotmate
