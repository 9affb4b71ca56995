#pragma once
// A host that closes, crashes or stays busy beyond the retry bound in the
// middle of a tool run makes every later call of the run fail, and the
// tools pass such failures over without a word. This desktop, put in front
// of the real one, says it once at the end of the run, naming the host and
// what to do next, unless something was shown after the loss already (the
// tool's own message on a failed step is the word the drafter gets then,
// and one that only passes the lost host's error on is said the clear way).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "hosts/platform.h"

namespace plotmate {

// The message for a host lost in a run; `progId` names the host.
std::string hostLostMessage(std::string_view progId, const Error& error);

class HostLossReport final : public Platform {
 public:
  explicit HostLossReport(Platform& desktop) : desktop_(desktop) {}

  void messageBox(std::string_view text, std::string_view title = {}) override;
  void activateWindow(std::string_view title) override { desktop_.activateWindow(title); }
  bool startProcess(std::string_view systemProgram, std::string_view commandLine) override {
    return desktop_.startProcess(systemProgram, commandLine);
  }
  std::string executableFolder() override { return desktop_.executableFolder(); }

  // A host call failed. Only the first loss of a host in a run is kept:
  // a call that found its host gone, or busy for the whole bound.
  void callFailed(std::string_view progId, const Error& error);

  void beginRun();
  // Shows the loss message when a host was lost in the run and nothing was
  // shown since.
  void endRun();

 private:
  struct Loss {
    std::string progId;
    Error error;
    std::uint64_t shownBefore = 0;
  };

  Platform& desktop_;
  bool running_ = false;
  std::uint64_t shown_ = 0;
  std::optional<Loss> loss_;
};

}  // namespace plotmate
