#pragma once
// Both stand-in hosts running behind the in-process broker, with the
// recording desktop and the attachments the tools keep: the desk that tests
// and benchmarks run the tools on.

#include <memory>
#include <string>
#include <vector>

#include "hosts/attach.h"
#include "sim/drawing/acad_application.h"
#include "sim/drawing/drawing_session.h"
#include "sim/recording_platform.h"
#include "sim/sheet/excel_objects.h"
#include "sim/sheet/worksheet.h"
#include "sim/standin_broker.h"

namespace plotmate::sim {

struct StandInDesk {
  std::shared_ptr<DrawingSession> drawing = std::make_shared<DrawingSession>();
  AcadStandIn acad = makeAcadStandIn(drawing);
  std::shared_ptr<Worksheet> sheet = std::make_shared<Worksheet>();
  ExcelStandIn excel = makeExcelStandIn(sheet);
  StandInBroker broker;
  RecordingPlatform platform;
  HostSession hosts;

  StandInDesk() {
    broker.setRunning(kAcadProgId, acad.application);
    broker.setRunning(kExcelProgId, excel.application);
  }

  // Attaches both hosts as the tool buttons do, then forgets what that showed and called.
  void attach(bool excelRunning = true) {
    if (!excelRunning) broker.setNotRunning(kExcelProgId);
    AttachAcad(hosts, broker, platform);
    AttachExcel(hosts, broker, platform);
    platform.messages.clear();
    acad.context->log.clear();
    excel.context->log.clear();
  }

  void failAcad(std::string member, std::size_t nth = 0, std::string object = "") {
    acad.context->faults.add({std::move(object), std::move(member), nth, {hr::kFail, "Injected fault"}});
  }
  void failExcel(std::string member, std::size_t nth = 0) {
    excel.context->faults.add({"", std::move(member), nth, {hr::kFail, "Injected fault"}});
  }
  const Variant& cell(std::int32_t row, std::int32_t column) const { return sheet->value({row, column}); }

  // A host's calls in order as "Class.Member", failed ones marked.
  static std::vector<std::string> calls(const HostContext& context) {
    std::vector<std::string> out;
    for (const auto& c : context.log.entries())
      out.push_back(c.object + "." + c.member + (c.failed ? " FAILED" : ""));
    return out;
  }
  // The texts of the messages shown, each after its title when it has one.
  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const auto& m : platform.messages) out.push_back(m.title.empty() ? m.text : m.title + ": " + m.text);
    return out;
  }
};

}  // namespace plotmate::sim
