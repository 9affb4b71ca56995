// Windows build: the stand-in servers reached over COM. Their test members:
//   SimLoadState(scenario JSON text, folder of the scenario)  a fresh host in that state
//   SimState() -> JSON text                                  the host's state and call log

#include <windows.h>

#include <chrono>
#include <memory>

#include "hosts/com/apartment.h"
#include "hosts/com/bstr.h"
#include "hosts/com/com_broker.h"
#include "hosts/com/desktop_windows.h"
#include "sim/apps/attach_wait.h"
#include "sim/apps/server_process.h"
#include "tools/scenario/remote_hosts.h"
#include "win32/child_process.h"

namespace plotmate::scenario {

namespace {

using namespace std::chrono_literals;

// Starts a stand-in server's executable with `options`; owns nothing when it cannot.
win32::ChildProcess launch(const std::wstring& exe, const std::wstring& options) {
  return win32::startChildProcess(L"\"" + exe + L"\" " + options);
}

// The registration steps: the executable run to its end.
bool runToEnd(const std::wstring& exe, const std::wstring& options) {
  auto process = launch(exe, options);
  if (!process) return false;
  DWORD code = 1;
  if (WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0) GetExitCodeProcess(process.get(), &code);
  return code == 0;
}

// A stand-in server posing as a profile's program, under the program's own
// class names, for the runner's whole run. Afterwards the class names lead
// where they led before: to the harness's own server for the names of
// AutoCAD and Excel, nowhere for the others.
class ProfileServer {
 public:
  ProfileServer(const sim::HostProfile& profile, HostBroker& broker) : profile_(profile), broker_(broker) {
    exe_ = sim::besideThisProgram(profile.kind == HostKind::Drawing ? L"..\\..\\sim\\apps\\acadsim.exe"
                                                                    : L"..\\..\\sim\\apps\\excelsim.exe");
    const std::wstring option = L"--profile " + com::toWide(profile.id);
    if (!runToEnd(exe_, option + L" --register")) scenarioError("cannot register the server of profile " + std::string(profile.id));
    process_ = launch(exe_, option + L" --lifetime 600");
    auto host = process_ ? sim::attachWhenUp(broker_, profile.progIds.front(), 30s) : Result<DispatchPtr>();
    if (!host || !*host) scenarioError("the server of profile " + std::string(profile.id) + " did not start");
    // Found under the program's class name, it says it is that program
    // (WPS under Excel's name says "Microsoft Excel").
    if ((*host)->get("Name").value_or(Variant()) != Variant(std::string(profile.name)))
      scenarioError("the server of profile " + std::string(profile.id) + " gives another Name");
  }
  ProfileServer(const ProfileServer&) = delete;
  ProfileServer& operator=(const ProfileServer&) = delete;

  ~ProfileServer() {
    if (process_) {
      if (auto host = broker_.findRunning(profile_.progIds.front())) (void)(*host)->call("Quit");
      WaitForSingleObject(process_.get(), 10000);
      process_.reset();  // ended, if Quit did not end it
    }
    const bool defaultName = profile_.progIds.front() == sim::defaultProfile(profile_.kind).progIds.front();
    runToEnd(exe_, defaultName ? L"--register" : L"--profile " + com::toWide(profile_.id) + L" --unregister");
  }

 private:
  const sim::HostProfile& profile_;
  HostBroker& broker_;
  std::wstring exe_;
  win32::ChildProcess process_;
};

class ComRemoteHosts final : public RemoteHosts {
 public:
  explicit ComRemoteHosts(const std::vector<const sim::HostProfile*>& profiles) {
    if (!apartment_.ok()) scenarioError("COM could not start in this thread");
    for (const auto* profile : profiles) {
      profiles_[index(profile->kind)] = profile;
      if (profile != &sim::defaultProfile(profile->kind)) servers_.emplace_back(std::make_unique<ProfileServer>(*profile, broker_));
    }
    // The servers may still be starting when the run begins.
    for (auto kind : {HostKind::Drawing, HostKind::Spreadsheet})
      if (auto up = sim::attachWhenUp(broker_, progId(kind), std::chrono::seconds(30)); !up)
        scenarioError(std::string(progId(kind)) + " is not running: " + up.error().description);
  }

  void load(const Json& spec, const std::filesystem::path& sourceDir) override {
    const auto folder = sourceDir.u8string();
    for (auto kind : {HostKind::Drawing, HostKind::Spreadsheet}) {
      auto loaded = server(kind)->call("SimLoadState", {spec.dump(), std::string(folder.begin(), folder.end())});
      if (!loaded) fail(kind, "refused the scenario", loaded.error());
    }
  }

  HostBroker& broker() override { return broker_; }

  Json state(HostKind kind) override {
    auto text = server(kind)->call("SimState");
    if (!text) fail(kind, "did not report its state", text.error());
    const auto* json = text->getIf<std::string>();
    if (!json) scenarioError(std::string(progId(kind)) + " reported its state in no text");
    return Json::parse(*json);
  }

  const sim::HostProfile& profile(HostKind kind) const override { return *profiles_[index(kind)]; }

  std::optional<std::string> windowTitle(std::int64_t handle) const override {
    HWND window = com::hostTopLevelWindow(handle);
    if (!window) return std::nullopt;
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    return com::fromWide(title);
  }

 private:
  static std::size_t index(HostKind kind) { return kind == HostKind::Drawing ? 0 : 1; }
  std::string_view progId(HostKind kind) const { return profile(kind).progIds.front(); }

  DispatchPtr server(HostKind kind) {
    auto found = broker_.findRunning(progId(kind));
    if (!found) fail(kind, "is not running", found.error());
    return *found;
  }

  [[noreturn]] void fail(HostKind kind, const char* what, const Error& error) const {
    scenarioError(std::string(progId(kind)) + " " + what + ": " + error.description);
  }

  com::ComApartment apartment_;
  com::ComHostBroker broker_;
  const sim::HostProfile* profiles_[2] = {&sim::defaultProfile(HostKind::Drawing),
                                          &sim::defaultProfile(HostKind::Spreadsheet)};
  std::vector<std::unique_ptr<ProfileServer>> servers_;  // after the broker: they quit through it
};

}  // namespace

std::shared_ptr<RemoteHosts> connectRemoteHosts(const std::vector<const sim::HostProfile*>& profiles) {
  return std::make_shared<ComRemoteHosts>(profiles);
}

}  // namespace plotmate::scenario
