// The end-of-run report: every step a host refused in a run, and the loss of
// a host, said in one message when the run ends; nothing when all went well.

#include <gtest/gtest.h>

#include "hosts/broker.h"
#include "hosts/busy_retry.h"
#include "hosts/host_loss_report.h"
#include "sim/recording_platform.h"

namespace plotmate {
namespace {

using K = RefusedKind;

TEST(RunReport, SaysEachRefusedStepOnceWhenTheRunEnds) {
  struct Refusal {
    std::string_view progId;
    RefusedStep step;
    const char* error;
  };
  struct Case {
    const char* what;
    std::vector<Refusal> refused;
    bool hostLost;
    std::vector<std::string> shown;  // the messages, in order
  };
  const Error gone{hr::kDisconnected, "gone"};
  const std::string lost = hostLostMessage(kAcadProgId, gone);
  const Case cases[] = {
      {"nothing refused", {}, false, {}},
      {"cells of a table",
       {{kExcelProgId, {K::CellWrite, "B4"}, "locked"},
        {kExcelProgId, {K::CellWrite, "C9"}, "later"},
        {kExcelProgId, {K::CellWrite, "D9"}, "later"}},
       false,
       {"Excel拒绝了 3 步操作，结果不完整：\n3 个单元格未写入 (B4, C9, D9)\n\nlocked"}},
      {"both hosts, each with its first error; a variable set twice named once",
       {{kAcadProgId, {K::CommandRow, "5"}, "busy"},
        {kExcelProgId, {K::CursorMove, "B7"}, "no"},
        {kAcadProgId, {K::SystemVariable, "CMDECHO"}, "later"},
        {kAcadProgId, {K::CommandRow, "9"}, "later"},
        {kAcadProgId, {K::SystemVariable, "CMDECHO"}, "later"}},
       false,
       {"AutoCAD拒绝了 4 步操作，结果不完整：\n第 5、9 行的命令未发送\n系统变量 CMDECHO 未设置\n\nbusy\n\n"
        "Excel拒绝了 1 步操作，结果不完整：\n活动单元格未移到 B7\n\nno"}},
      {"a lost host and what it refused: one message", {{kAcadProgId, {K::CommandRow, "40"}, nullptr}}, true,
       {lost + "\n\nAutoCAD拒绝了 1 步操作，结果不完整：\n第 40 行的命令未发送"}},
      {"a lost host alone", {}, true, {lost}},
  };
  for (const Case& c : cases) {
    sim::RecordingPlatform desktop;
    HostLossReport report(desktop);
    report.beginRun();
    if (c.hostLost) report.callFailed(kAcadProgId, gone);
    for (const Refusal& r : c.refused)
      report.stepRefused(r.progId, r.step, r.error ? Error{hr::kFail, r.error} : gone);
    EXPECT_TRUE(desktop.messages.empty()) << c.what << ": said before the run ended";
    report.endRun();
    std::vector<std::string> shown;
    for (const auto& m : desktop.messages) shown.push_back(m.text);
    EXPECT_EQ(shown, c.shown) << c.what;
    report.beginRun();  // a new run starts with nothing to say
    report.endRun();
    EXPECT_EQ(desktop.messages.size(), c.shown.size()) << c.what;
  }
}

TEST(RunReport, LongListsNameTheirFirstSteps) {
  std::vector<RefusedStep> rows;
  for (int row = 1; row <= 14; ++row) rows.push_back({K::CommandRow, std::to_string(row)});
  EXPECT_EQ(RefusedStepsText(rows), "第 1、2、3、4、5、6、7、8、9、10、11、12、… 行的命令未发送");
}

}  // namespace
}  // namespace plotmate
