#pragma once
// What the measuring tools share about the desktop around them: the message a
// failed host step shows (the window titles they bring forward are in
// hosts/platform.h).

#include <string_view>

#include "hosts/attach.h"
#include "hosts/broker.h"
#include "hosts/platform.h"
#include "base/result.h"

namespace plotmate {

// A host step the run cannot go on without failed; the host's own
// description follows after two line feeds, as the attach messages do.
inline constexpr std::string_view kAcadStepFailedMessage = "AutoCAD操作失败！";
// The description shown when the attach found AutoCAD but no open drawing.
inline constexpr std::string_view kNoDrawingDescription = "AutoCAD中没有打开的图形。";

// What a tool button reaches outside its window: the broker that finds the
// hosts, the kept attachments, and the desktop.
struct ToolDesk {
  HostBroker& broker;
  HostSession& session;
  Platform& platform;
};

void ShowAcadFailure(Platform& platform, const Error& error);

}  // namespace plotmate
