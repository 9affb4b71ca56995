// Two drawing programs running side by side over COM: the fixture's AutoCAD
// and a ZWCAD the test starts. Each attach takes the one whose main window
// stands highest, as the drafter left them.

#include <gtest/gtest.h>

#include "hosts/attach.h"
#include "hosts/com/apartment.h"
#include "hosts/com/com_broker.h"
#include "hosts/com/desktop_windows.h"
#include "hosts/host_window.h"
#include "sim/apps/attach_wait.h"
#include "sim/apps/server_process.h"
#include "sim/recording_platform.h"

namespace plotmate {
namespace {

using namespace std::chrono_literals;

TEST(CrossProcessHostInUse, TheDrawingProgramInFrontWinsAndTheNextAttachFollowsIt) {
  com::ComApartment apartment;
  ASSERT_TRUE(apartment.ok());
  com::ComHostBroker broker;
  auto autocad = sim::attachWhenUp(broker, kAcadProgId, 30s);
  ASSERT_TRUE(autocad.has_value()) << autocad.error().description;
  sim::ServerProcess server(sim::besideThisProgram(L"..\\sim\\apps\\acadsim.exe"), "ZWCAD.Application",
                            "{5C0E7A19-2B64-4F3D-9A8E-71D2C5B4E6A3}", L"--profile zwcad");
  ASSERT_TRUE(server.started());
  auto zwcad = sim::attachWhenUp(broker, "ZWCAD.Application", 30s);
  ASSERT_TRUE(zwcad.has_value()) << zwcad.error().description;

  // The drafter turns to one program, then the other, then back.
  const struct { DispatchPtr used; const char* name; } steps[] = {
      {*zwcad, "ZWCAD"}, {*autocad, "AutoCAD"}, {*zwcad, "ZWCAD"}};
  for (const auto& step : steps) {
    const auto handle = mainWindowOf(*step.used, HostKind::Drawing);
    ASSERT_TRUE(handle) << step.name;
    HWND window = com::hostTopLevelWindow(*handle);
    ASSERT_TRUE(window) << step.name;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HostSession session;
    sim::RecordingPlatform desktop;
    AttachAcad(session, broker, desktop);
    ASSERT_TRUE(session.AcadApp) << step.name;
    EXPECT_EQ(session.AcadApp->get("Name").value_or(Variant()), Variant(step.name));
    EXPECT_TRUE(desktop.messages.empty()) << step.name;
  }
}

}  // namespace
}  // namespace plotmate
