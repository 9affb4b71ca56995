#pragma once
// The end-of-run report: a desktop put in front of the real one that says,
// in one message when a tool run ends, what the hosts refused in it.
//
// - A host that closes, crashes or stays busy beyond the retry bound in the
//   middle of a run makes every later call fail. The report names the host
//   and what to do next. A tool message that only passes the lost host's
//   error on is held back and said the clear way, in the report. When the
//   tool showed a message of its own after the loss (a failed pick's "Good
//   Bye."), that is the word the drafter gets, unless steps were refused too:
//   then the report says the loss with them.
// - Every step a host refused (the tools drop it and go on) is counted with
//   what it would have done, per host, with the host's first error text.
// The report names the programs the last attach found (ZWCAD, WPS 表格).
// A run with nothing refused and no host lost ends without a word; one that
// has anything to say says it in one message, after the tool's own.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "hosts/attach.h"
#include "hosts/platform.h"

namespace plotmate {

// The message for a host lost in a run; `progId` names the host.
std::string hostLostMessage(std::string_view progId, const Error& error);

class HostLossReport final : public Platform {
 public:
  // `hosts` names the programs attached; without it, AutoCAD and Excel.
  explicit HostLossReport(Platform& desktop, const HostSession* hosts = nullptr)
      : desktop_(desktop), hosts_(hosts) {}

  void messageBox(std::string_view text, std::string_view title = {}) override;
  void activateWindow(std::string_view title) override { desktop_.activateWindow(title); }
  bool startProcess(std::string_view systemProgram, std::string_view commandLine) override {
    return desktop_.startProcess(systemProgram, commandLine);
  }
  std::string executableFolder() override { return desktop_.executableFolder(); }
  // Kept for the end of the run; outside a run said at once.
  void stepRefused(HostKind host, RefusedStep step, const Error& error) override;

  // A host call failed. Only the first loss of a host in a run is kept:
  // a call that found its host gone, or busy for the whole bound.
  void callFailed(std::string_view progId, const Error& error);

  void beginRun();
  // Shows the run's report, when there is anything to say: the loss of a
  // host, then each host's refused steps.
  void endRun();

 private:
  struct Loss {
    std::string progId;
    Error error;
    std::uint64_t shownBefore = 0;  // messages shown in the run before the loss
    bool held = false;              // a tool message passing it on was held back
  };

  struct Refusals {
    HostKind host;
    std::vector<RefusedStep> steps;
    Error first;
  };

  bool lossToSay() const;
  std::string refusalText(const Refusals& refusals, bool lossSaid) const;

  Platform& desktop_;
  const HostSession* hosts_;
  bool running_ = false;
  std::uint64_t shown_ = 0;
  std::optional<Loss> loss_;
  std::vector<Refusals> refusals_;  // per host, in the order of their first refusal
};

}  // namespace plotmate
