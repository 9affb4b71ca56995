#pragma once
// The end-of-run report: a desktop put in front of the real one that says,
// in one message when a tool run ends, what the hosts refused in it.
//
// - A host that closes, crashes or stays busy beyond the retry bound in the
//   middle of a run makes every later call fail. The report names the host
//   and what to do next, unless something was shown after the loss already
//   (the tool's own message on a failed step is the word the drafter gets
//   then, and one that only passes the lost host's error on is said the
//   clear way).
// - Every step a host refused (the tools drop it and go on) is counted with
//   what it would have done, per host, with the host's first error text.
// A run with nothing refused and no host lost ends without a word.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
  // Kept for the end of the run; outside a run said at once.
  void stepRefused(std::string_view progId, RefusedStep step, const Error& error) override;

  // A host call failed. Only the first loss of a host in a run is kept:
  // a call that found its host gone, or busy for the whole bound.
  void callFailed(std::string_view progId, const Error& error);

  void beginRun();
  // Shows the run's report, when there is anything to say: the loss of a
  // host (when nothing was shown since), then each host's refused steps.
  void endRun();

 private:
  struct Loss {
    std::string progId;
    Error error;
    std::uint64_t shownBefore = 0;
  };

  struct Refusals {
    std::string progId;
    std::vector<RefusedStep> steps;
    Error first;
  };

  std::string refusalText(const Refusals& refusals, bool lossInReport) const;

  Platform& desktop_;
  bool running_ = false;
  std::uint64_t shown_ = 0;
  std::optional<Loss> loss_;
  std::vector<Refusals> refusals_;  // per host, in the order of their first refusal
};

}  // namespace plotmate
