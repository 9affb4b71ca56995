#include "hosts/host_loss_report.h"

#include "hosts/busy_retry.h"
#include "hosts/host_programs.h"

namespace plotmate {

namespace {

// "AutoCAD.Application" -> "AutoCAD": the name a drafter knows the host by.
std::string_view hostName(std::string_view progId) {
  return programName(progId);
}

}  // namespace

std::string hostLostMessage(std::string_view progId, const Error& error) {
  const std::string host(hostName(progId));
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

void HostLossReport::beginRun() {
  running_ = true;
  loss_.reset();
}

void HostLossReport::endRun() {
  running_ = false;
  if (loss_ && shown_ == loss_->shownBefore)
    desktop_.messageBox(hostLostMessage(loss_->progId, loss_->error));
  loss_.reset();
}

}  // namespace plotmate
