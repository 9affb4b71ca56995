#pragma once
// The stand-in desktop a scenario runs in: the worksheet host, the drawing
// host, the broker that finds them, the recording platform and the kept
// attachments. Built from the scenario's "hosts", "sheet" and "faults".

#include <memory>

#include "hosts/attach.h"
#include "sim/drawing/acad_application.h"
#include "sim/recording_platform.h"
#include "sim/sheet/excel_objects.h"
#include "sim/sheet/worksheet.h"
#include "sim/standin_broker.h"
#include "tools/scenario/scenario.h"

namespace plotmate::scenario {

struct World {
  std::shared_ptr<sim::Worksheet> sheet;
  sim::ExcelStandIn excel;
  sim::AcadStandIn acad;
  std::vector<std::string> drawingNotes;  // what a loaded DXF left out
  sim::StandInBroker broker;
  sim::RecordingPlatform platform;
  HostSession session;
};

// Sets up every host the scenario names; a host is running unless
// "hosts": {"excel": false} (or "acad": false) says otherwise.
std::unique_ptr<World> buildWorld(Context& context);
// Reports the worksheet, the platform's record, the drawing (once the tool
// attached to the drawing host) and, when asked, the call logs.
void reportWorld(Context& context, const World& world);

}  // namespace plotmate::scenario
