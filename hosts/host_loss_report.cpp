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

void HostLossReport::messageBox(std::string_view text, std::string_view title) {
  ++shown_;
  // A tool that passes on a lost host's error as it came ("AutoCAD中没有打开
  // 的图形！" with it, or the error alone) is said the clear way instead.
  if (running_ && loss_ && tellsOfLostHost(text))
    return desktop_.messageBox(hostLostMessage(loss_->progId, loss_->error));
  desktop_.messageBox(text, title);
}

void HostLossReport::callFailed(std::string_view progId, const Error& error) {
  if (!running_ || loss_ || classifyFailure(error.code) == CallFailure::Other) return;
  loss_ = Loss{std::string(progId), error, shown_};
}

void HostLossReport::stepRefused(std::string_view progId, RefusedStep step, const Error& error) {
  auto host = std::find_if(refusals_.begin(), refusals_.end(),
                           [&](const Refusals& r) { return r.progId == progId; });
  if (host == refusals_.end()) host = refusals_.insert(refusals_.end(), {std::string(progId), {}, error});
  host->steps.push_back(std::move(step));
  if (!running_) endRun();
}

// "Excel拒绝了 2 步操作，结果不完整：", the steps, and the host's first error.
std::string HostLossReport::refusalText(const Refusals& refusals, bool lossInReport) const {
  std::string text = std::string(programName(refusals.progId)) + "拒绝了 " +
                     std::to_string(refusals.steps.size()) + " 步操作，结果不完整：\n" +
                     RefusedStepsText(refusals.steps);
  // A lost host's error is said with the loss already.
  if (!(lossInReport && loss_->progId == refusals.progId && loss_->error == refusals.first))
    text += "\n\n" + refusals.first.description;
  return text;
}

void HostLossReport::beginRun() {
  running_ = true;
  loss_.reset();
  refusals_.clear();
}

void HostLossReport::endRun() {
  running_ = false;
  const bool lossInReport = loss_ && shown_ == loss_->shownBefore;
  std::string report = lossInReport ? hostLostMessage(loss_->progId, loss_->error) : "";
  for (const Refusals& refusals : refusals_)
    report += (report.empty() ? "" : "\n\n") + refusalText(refusals, lossInReport);
  if (!report.empty()) desktop_.messageBox(report);
  loss_.reset();
  refusals_.clear();
}

}  // namespace plotmate
