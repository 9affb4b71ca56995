// Windows build: the stand-in servers reached over COM. Their test members:
//   SimLoadState(scenario JSON text, folder of the scenario)  a fresh host in that state
//   SimState() -> JSON text                                  the host's state and call log

#include <chrono>

#include "hosts/com/apartment.h"
#include "hosts/com/com_broker.h"
#include "sim/apps/attach_wait.h"
#include "tools/scenario/remote_hosts.h"

namespace plotmate::scenario {

namespace {

class ComRemoteHosts final : public RemoteHosts {
 public:
  ComRemoteHosts() {
    if (!apartment_.ok()) scenarioError("COM could not start in this thread");
    // The servers may still be starting when the run begins.
    for (auto progId : {kAcadProgId, kExcelProgId})
      if (auto up = sim::attachWhenUp(broker_, progId, std::chrono::seconds(30)); !up)
        scenarioError(std::string(progId) + " is not running: " + up.error().description);
  }

  void load(const Json& spec, const std::filesystem::path& sourceDir) override {
    const auto folder = sourceDir.u8string();
    for (auto progId : {kAcadProgId, kExcelProgId}) {
      auto loaded = server(progId)->call(
          "SimLoadState", {spec.dump(), std::string(folder.begin(), folder.end())});
      if (!loaded) fail(progId, "refused the scenario", loaded.error());
    }
  }

  HostBroker& broker() override { return broker_; }

  Json state(std::string_view progId) override {
    auto text = server(progId)->call("SimState");
    if (!text) fail(progId, "did not report its state", text.error());
    const auto* json = text->getIf<std::string>();
    if (!json) scenarioError(std::string(progId) + " reported its state in no text");
    return Json::parse(*json);
  }

 private:
  DispatchPtr server(std::string_view progId) {
    auto found = broker_.findRunning(progId);
    if (!found) fail(progId, "is not running", found.error());
    return *found;
  }

  [[noreturn]] static void fail(std::string_view progId, const char* what, const Error& error) {
    scenarioError(std::string(progId) + " " + what + ": " + error.description);
  }

  com::ComApartment apartment_;
  com::ComHostBroker broker_;
};

}  // namespace

std::shared_ptr<RemoteHosts> connectRemoteHosts() { return std::make_shared<ComRemoteHosts>(); }

}  // namespace plotmate::scenario
