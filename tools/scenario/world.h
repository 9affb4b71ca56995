#pragma once
// The stand-in desktop a scenario runs in: the worksheet host, the drawing
// host, the broker that finds them, the recording platform and the kept
// attachments. Built from the scenario's "hosts", "sheet" and "faults".
// Played over COM (context.remote set), the hosts are the stand-in servers:
// they take the scenario's state, the tools attach to them through the COM
// broker, and the report reads their state back.

#include <memory>
#include <set>
#include <string>

#include "hosts/attach.h"
#include "hosts/host_loss_report.h"
#include "sim/drawing/acad_application.h"
#include "sim/recording_platform.h"
#include "sim/sheet/excel_objects.h"
#include "sim/sheet/worksheet.h"
#include "sim/standin_broker.h"
#include "tools/scenario/scenario.h"

namespace plotmate::scenario {

// Finds the scenario's running hosts: the in-process stand-ins, or the
// servers over COM. Over COM a host the scenario says is not running answers
// as the Running Object Table does for a closed program (the servers
// themselves stay up for the next scenario), and so does every class name
// of a kind other than those its server answers under.
class ScenarioBroker final : public sim::StandInBroker {
 public:
  RemoteHosts* remote = nullptr;
  std::set<HostKind> absent;  // over COM only

  Result<DispatchPtr> findRunning(std::string_view progId) override;
};

struct World {
  std::shared_ptr<sim::Worksheet> sheet;
  sim::ExcelStandIn excel;
  sim::AcadStandIn acad;
  std::vector<std::string> drawingNotes;  // what a loaded DXF left out
  ScenarioBroker broker;
  sim::RecordingPlatform desktop;
  HostSession session;
  HostLossReport platform{desktop, &session};  // the tools' desktop, with the run report in front

  // One click of a tool's button, as the program runs it: what the hosts
  // refused is said when the click's run ends.
  template <class Click>
  void run(Click&& click) {
    platform.beginRun();
    click();
    platform.endRun();
  }
};

// Sets up every host the scenario names; a host is running unless
// "hosts": {"excel": false} (or "acad": false) says otherwise.
std::unique_ptr<World> buildWorld(Context& context);
// Reports the worksheet, the platform's record, the drawing (once the tool
// attached to the drawing host) and, when asked, the call logs.
void reportWorld(Context& context, const World& world);

}  // namespace plotmate::scenario
