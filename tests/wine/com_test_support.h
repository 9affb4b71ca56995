#pragma once
// Shared by the COM tests: a plain local object to serve, and private server
// processes that a test starts and ends itself.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "hosts/com/apartment.h"
#include "hosts/dispatch.h"

namespace plotmate::comtest {

// The fixture's server (started by the CTest fixture before the suite runs).
inline constexpr const char* kFixtureProgId = "AutoCAD.Application";

// A Dispatch that records its last call and answers from a script.
class RecordingDispatch final : public Dispatch {
 public:
  std::string lastName;
  CallKind lastKind = CallKind::Method;
  std::vector<Variant> lastArgs;
  std::function<Result<Variant>(std::span<Variant>)> answer = [](std::span<Variant>) {
    return Result<Variant>(Variant());
  };

  Result<Variant> invoke(std::string_view name, CallKind kind, std::span<Variant> args) override {
    lastName = std::string(name);
    lastKind = kind;
    lastArgs.assign(args.begin(), args.end());
    return answer(args);
  }
};

// acadsim.exe serving under a ProgID of the test's own, so the test may close
// or kill it. The destructor ends it whatever happened and unregisters it.
class PrivateServer {
 public:
  PrivateServer(std::string progId, std::string clsid);
  PrivateServer(const PrivateServer&) = delete;
  PrivateServer& operator=(const PrivateServer&) = delete;
  ~PrivateServer();

  bool started() const { return process_ != nullptr; }
  const std::string& progId() const { return progId_; }
  bool waitForExit(std::chrono::milliseconds limit);
  void kill();

 private:
  std::string progId_;
  HANDLE process_ = nullptr;
};

}  // namespace plotmate::comtest
