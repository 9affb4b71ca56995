// Hosts that vanish or stay busy in the middle of a tool run, over COM.
// Private stand-in servers answer the tools' "AutoCAD.Application" and
// "Excel.Application" under ProgIDs of their own, so this suite may end them;
// SimFailFromCall makes a server end (or turn every call away) at its kth
// call. The session and the desktop live across all runs, as in the program.

#include <gtest/gtest.h>

#include "com_test_support.h"
#include "convert/block_column_button.h"
#include "hosts/com/com_broker.h"
#include "hosts/counting_broker.h"
#include "hosts/host_loss_report.h"
#include "measure/measure_area.h"
#include "measure/pick_tools.h"
#include "pline/main_buttons.h"
#include "pline/polyline_to_sheet.h"
#include "pline/sheet_to_polyline.h"
#include "repeater/batch_run.h"
#include "sim/apps/attach_wait.h"
#include "sim/recording_platform.h"
#include "tests/native/scratch_directory.h"

namespace plotmate::com {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct PrivateServer {
  std::string_view progId;  // what the tools ask for
  const char* privateProgId;
  const char* clsid;
  const wchar_t* exe;
  const char* name;  // as a drafter knows it
};
const PrivateServer kServers[] = {
    {kAcadProgId, "Plotmate.Lost.AutoCAD", "{5C0E7A21-9D34-4F6B-A1E8-3B72D0C64F15}",
     L"..\\sim\\apps\\acadsim.exe", "AutoCAD"},
    {kExcelProgId, "Plotmate.Lost.Excel", "{E4B19F60-2A7C-4D35-8E0B-91C6F3A27D48}",
     L"..\\sim\\apps\\excelsim.exe", "Excel"},
};
enum HostIndex { kAcad = 0, kExcel = 1 };

// The tools find the hosts by their real names; this suite's servers answer.
class PrivateNames final : public HostBroker {
 public:
  Result<DispatchPtr> findRunning(std::string_view progId) override {
    for (const auto& server : kServers)
      if (server.progId == progId) return com.findRunning(server.privateProgId);
    return com.findRunning(progId);
  }
  ComHostBroker com{BusyRetryBound{2000ms}};
};

std::string scenarioText(const std::string& name) {
  return testing_support::fileBytes(PLOTMATE_SOURCE_DIR "/tests/scenarios/" + name + ".json");
}

// The area around one picked point, written to the sheet: no message when all goes well.
const char* kAreaScenario = R"({"sheet": {"active": "B2"},
  "drawing": {"entities": [{"type": "circle", "handle": "1A", "center": [5, 5, 0], "radius": 2}]},
  "picks": [{"point": [5, 5, 0]}]})";

const sim::ShownMessage kPickFailed{std::string(kPickFailedMessage), std::string(kPickFailedTitle)};
const sim::ShownMessage kSelectionRefused{std::string(kWrongColumnsMessage), ""};

struct Desk {
  PrivateNames names;
  sim::RecordingPlatform screen;
  HostLossReport platform{screen};
  CountingBroker broker{names, {}, [this](std::string_view progId, const Error& error) {
                          platform.callFailed(progId, error);
                        }};
  HostSession session;
  Settings settings;
  MainForm form;
  AcadSelectionSet textSet;
  PickDesk pick{{broker, session, platform}, settings, form, textSet};
};

struct Tool {
  const char* name;
  std::string state;  // the hosts' state, as a scenario gives it
  std::vector<HostIndex> hosts;
  std::function<void(Desk&)> click;
};

std::vector<Tool> everyTool() {
  return {
      {"->Excel", scenarioText("pline_to_sheet_crossings"), {kAcad, kExcel}, [](Desk& d) { AttachAndExportPolyline(d.session, d.broker, d.platform, d.settings, d.form); }},
      {"->Acad", scenarioText("pline_from_sheet_three_columns"), {kAcad, kExcel}, [](Desk& d) { AttachAndDrawPolyline(d.session, d.broker, d.platform, d.settings); }},
      {"repeater", scenarioText("repeater_circle_pairs"), {kAcad, kExcel},
       [](Desk& d) {
         RepeaterForm form;
         form.Combo1 = "circle";
         form.Combo1_Click();
         form.setCheck1(0, true);
         form.setCheck2(0, true);
         form.Text1[2] = "5";
         RunCommandForEachRow(form, d.settings, d.session, d.broker, d.platform);
       }},
      {"ID", scenarioText("measure_points_sheet"), {kAcad, kExcel}, [](Desk& d) { PointPickTool().run(Idfrm{1, 1, 1, 1}, d.pick); }},
      {"DIST", scenarioText("measure_distance_texts"), {kAcad, kExcel}, [](Desk& d) { DistancePickTool().run(Distfrm{1, 1, 1}, d.pick); }},
      {"AREA", kAreaScenario, {kAcad, kExcel}, [](Desk& d) { AreaPickTool().run(Areafrm{1}, d.pick); }},
      {"block to column", scenarioText("block_to_column_rows"), {kExcel},
       [](Desk& d) { Block2ColumnClick(d.session, d.broker, d.platform, -1); }},
  };
}

class CrossProcessHostLoss : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apartment_.ok());
    // Every output of every tool on.
    auto& s = desk_.settings;
    s.PREC = 3;
    s.X = s.Y = s.Z = s.T = 1;
    s.DX = s.DY = s.DI = 1;
    s.WriteToExcel = 1;
    desk_.form.chkboolIntersect = desk_.form.chkboolchgtxt = 1;
    desk_.form.txtPref = "L=";
  }

  // Starts the server again when it has ended; its state is a fresh host's.
  void bringUp(HostIndex host) {
    auto& process = servers_[host];
    if (process && !process->waitForExit(0ms)) return;
    process.reset();
    const auto& s = kServers[host];
    process = std::make_unique<sim::ServerProcess>(sim::besideThisProgram(s.exe),
                                                   s.privateProgId, s.clsid);
    ASSERT_TRUE(process->started()) << s.name;
    auto up = sim::attachWhenUp(desk_.names.com, s.privateProgId, 30s);
    ASSERT_TRUE(up.has_value()) << s.name << ": " << up.error().description;
  }

  Result<Variant> control(HostIndex host, std::string_view member, std::vector<Variant> args = {}) {
    PLOTMATE_TRY(server, desk_.names.com.findRunning(kServers[host].privateProgId));
    return (*server)->call(member, std::move(args));
  }

  void load(const Tool& tool) {
    for (auto host : {kAcad, kExcel}) {
      bringUp(host);
      ASSERT_TRUE(control(host, "SimLoadState", {tool.state})) << tool.name;
    }
  }

  // One click as the program makes it: the lost-host report around the run.
  // The messages shown, and how long the click took.
  std::pair<std::vector<sim::ShownMessage>, Clock::duration> click(const Tool& tool) {
    desk_.screen.messages.clear();
    const auto start = Clock::now();
    desk_.platform.beginRun();
    tool.click(desk_);
    desk_.platform.endRun();
    return {desk_.screen.messages, Clock::now() - start};
  }

  std::size_t callsMade(HostIndex host) {
    auto log = control(host, "SimCallLog");
    const auto* entries = log ? log->getIf<VariantList>() : nullptr;
    return entries ? entries->size() : 0;
  }

  ComApartment apartment_;
  Desk desk_;
  std::unique_ptr<sim::ServerProcess> servers_[2];
};

// Each tool runs once whole, after a host was lost under the run before (so
// the click must attach afresh), and then once per host it uses with that
// host vanishing at its first, middle or last call of the whole run.
TEST_F(CrossProcessHostLoss, HostVanishingAtCallKEndsTheRunWithOneMessageAndTheNextClickAttachesAgain) {
  std::size_t sample = 0;
  for (const auto& tool : everyTool()) {
    load(tool);
    EXPECT_EQ(click(tool).first, std::vector<sim::ShownMessage>{}) << tool.name << ": a whole run";
    std::size_t calls[2] = {callsMade(kAcad), callsMade(kExcel)};
    for (auto host : tool.hosts) {
      ASSERT_GT(calls[host], 0u) << tool.name;
      const std::size_t picks[] = {1, (calls[host] + 1) / 2, calls[host]};
      const std::size_t k = picks[sample++ % 3];
      const auto& lost = kServers[host];
      load(tool);
      ASSERT_TRUE(control(host, "SimFailFromCall", {static_cast<std::int32_t>(k), "vanish"}));
      auto [shown, took] = click(tool);
      const std::string at = std::string(tool.name) + ", " + lost.name + " gone at call " +
                             std::to_string(k) + " of " + std::to_string(calls[host]);
      EXPECT_TRUE(servers_[host]->waitForExit(5s)) << at << ": the server did not end";
      EXPECT_LT(took, 10s) << at;
      ASSERT_EQ(shown.size(), 1u) << at;
      // The lost-host message, or the tool's own for the step that failed.
      const std::string lostText = hostLostMessage(lost.progId, Error{hr::kDisconnected, ""});
      const bool named = shown[0].text.starts_with(lostText);
      const bool toolsOwn = shown[0] == kPickFailed || shown[0] == kSelectionRefused ||
                            shown[0].text.starts_with(kAreaMessagePrefix);
      EXPECT_TRUE(named || toolsOwn) << at << ": " << shown[0].text;
    }
  }
  // The last loss is behind this click too.
  const Tool last = everyTool().front();
  load(last);
  EXPECT_EQ(click(last).first, std::vector<sim::ShownMessage>{}) << "a whole run at the end";
}

TEST_F(CrossProcessHostLoss, HostBusyBeyondTheBoundEndsTheRunWithinTheBound) {
  const Tool tool = everyTool()[2];  // the repeater: one command per row, all refused
  load(tool);
  ASSERT_TRUE(control(kAcad, "SimFailFromCall", {std::int32_t{8}, "busy"}));
  auto [shown, took] = click(tool);
  EXPECT_GE(took, 2000ms);
  EXPECT_LT(took, 5000ms) << "one bound for the run, not one per call";
  ASSERT_EQ(shown.size(), 1u);
  const std::string busyText = hostLostMessage(kAcadProgId, Error{hr::kCallRejected, ""});
  EXPECT_TRUE(shown[0].text.starts_with(busyText)) << shown[0].text;
  // The host answers again: the next click runs whole.
  ASSERT_TRUE(control(kAcad, "SimFailFromCall", {std::int32_t{0}}));
  load(tool);
  EXPECT_EQ(click(tool).first, std::vector<sim::ShownMessage>{});
}

}  // namespace
}  // namespace plotmate::com
