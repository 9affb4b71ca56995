#include "hosts/host_loss_report.h"

#include <algorithm>

#include "hosts/busy_retry.h"
#include "hosts/host_programs.h"

namespace plotmate {

std::string hostLostMessage(std::string_view progId, const Error& error) {
  const std::string host(programName(progId));
  const bool busy = classifyFailure(error.code) == CallFailure::Busy;
  std::string text = busy ? host + "一直忙碌，不接受操作，本次操作未完成。\n请关闭" + host +
                                "中打开的对话框或等待当前命令结束，然后再试一次。"
                          : host + "已关闭或失去响应，本次操作未完成。\n请重新打开" + host +
                                "，然后再试一次。";
  return text + "\n\n" + error.description;
}

namespace {

// The class name the last attach of a kind found; the kind's first program
// before any attach.
std::string_view attachedProgId(const HostSession* hosts, HostKind kind) {
  if (hosts) {
    const std::string& found = kind == HostKind::Drawing ? hosts->acadProgId : hosts->excelProgId;
    if (!found.empty()) return found;
  }
  return hostPrograms(kind).front().progId;
}

}  // namespace

void HostLossReport::messageBox(std::string_view text, std::string_view title) {
  // A tool that passes on a lost host's error as it came ("AutoCAD中没有打开
  // 的图形！" with it, or the error alone) is said the clear way instead, in
  // the run's report.
  if (running_ && loss_ && tellsOfLostHost(text)) {
    loss_->held = true;
    return;
  }
  ++shown_;
  desktop_.messageBox(text, title);
}

void HostLossReport::callFailed(std::string_view progId, const Error& error) {
  if (!running_ || loss_ || classifyFailure(error.code) == CallFailure::Other) return;
  loss_ = Loss{std::string(progId), error, shown_};
}

void HostLossReport::stepRefused(HostKind host, RefusedStep step, const Error& error) {
  auto refused = std::find_if(refusals_.begin(), refusals_.end(),
                              [&](const Refusals& r) { return r.host == host; });
  if (refused == refusals_.end()) refused = refusals_.insert(refusals_.end(), {host, {}, error});
  refused->steps.push_back(std::move(step));
  if (!running_) endRun();
}

// "Excel拒绝了 2 步操作，结果不完整：", the steps, and the host's first error.
std::string HostLossReport::refusalText(const Refusals& refusals, bool lossSaid) const {
  std::string text = std::string(programName(attachedProgId(hosts_, refusals.host))) + "拒绝了 " +
                     std::to_string(refusals.steps.size()) + " 步操作，结果不完整：\n" +
                     RefusedStepsText(refusals.steps);
  // A lost host's error is said with the loss already.
  if (!(lossSaid && loss_->error == refusals.first)) text += "\n\n" + refusals.first.description;
  return text;
}

// A message of the tool's own shown after the loss is the word the drafter
// gets for it, unless the report has refused steps to say anyway.
bool HostLossReport::lossToSay() const {
  return loss_ && (loss_->held || shown_ == loss_->shownBefore || !refusals_.empty());
}

void HostLossReport::beginRun() {
  running_ = true;
  loss_.reset();
  refusals_.clear();
}

void HostLossReport::endRun() {
  running_ = false;
  const bool lossSaid = lossToSay();
  std::string report = lossSaid ? hostLostMessage(loss_->progId, loss_->error) : "";
  for (const Refusals& refusals : refusals_)
    report += (report.empty() ? "" : "\n\n") + refusalText(refusals, lossSaid);
  if (!report.empty()) desktop_.messageBox(report);
  loss_.reset();
  refusals_.clear();
}

}  // namespace plotmate
