#pragma once
// The main window's two buttons, so the window only forwards its clicks:
// both attach to the drawing host and then to the spreadsheet host, always
// and in that order, and run their tool only when the hosts it needs are there.

#include "hosts/attach.h"
#include "hosts/broker.h"
#include "hosts/platform.h"
#include "shell/main_form.h"
#include "shell/settings.h"

namespace plotmate {

// "->Excel": runs the export when the drawing host is attached; without the
// spreadsheet host the export goes to the output file.
void AttachAndExportPolyline(HostSession& hosts, HostBroker& broker, Platform& platform,
                    const Settings& settings, const MainForm& form);
// "->Acad": runs the drawing only when both hosts are attached.
void AttachAndDrawPolyline(HostSession& hosts, HostBroker& broker, Platform& platform,
                    const Settings& settings);

}  // namespace plotmate
