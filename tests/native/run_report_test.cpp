// The end-of-run report: every step a host refused in a run, and the loss of
// a host, said in one message when the run ends; nothing when all went well.

#include <gtest/gtest.h>

#include "convert/block_to_column.h"
#include "hosts/attach.h"
#include "hosts/broker.h"
#include "hosts/busy_retry.h"
#include "hosts/counting_broker.h"
#include "hosts/host_loss_report.h"
#include "measure/identify_points.h"
#include "measure/measure_area.h"
#include "repeater/batch_run.h"
#include "sim/recording_platform.h"
#include "sim/state/standin_desk.h"

namespace plotmate {
namespace {

using K = RefusedKind;

TEST(RunReport, SaysEachRefusedStepOnceWhenTheRunEnds) {
  // What happens in a run, in order: a step refused (with its error), the
  // drawing host lost, or a message the tool shows.
  struct Event {
    enum { Refuse, Lose, Show } what;
    HostKind host = HostKind::Drawing;
    RefusedStep step = {};
    const char* text = nullptr;  // the refusal's error, or the tool's message
  };
  using E = Event;
  constexpr auto kDrawing = HostKind::Drawing;
  constexpr auto kSheet = HostKind::Spreadsheet;
  struct Case {
    const char* what;
    std::vector<Event> run;
    std::vector<std::string> shown;  // the messages, in order
    const char* acadProgId = "";     // what the last attach found
    const char* excelProgId = "";
  };
  const Error gone{hr::kDisconnected, hostGoneError({hr::kDisconnected, "gone"}).description};
  const std::string lost = hostLostMessage(kAcadProgId, gone);
  const std::string passedOn = std::string(kNoDrawingMessage) + "\n\n" + gone.description;
  const Case cases[] = {
      {"nothing refused", {}, {}},
      {"cells of a table",
       {{E::Refuse, kSheet, {K::CellWrite, "B4"}, "locked"},
        {E::Refuse, kSheet, {K::CellWrite, "C9"}, "later"},
        {E::Refuse, kSheet, {K::CellWrite, "D9"}, "later"}},
       {"Excel拒绝了 3 步操作，结果不完整：\n3 个单元格未写入 (B4, C9, D9)\n\nlocked"}},
      {"both hosts, each with its first error; a variable set twice named once",
       {{E::Refuse, kDrawing, {K::CommandRow, "5"}, "busy"},
        {E::Refuse, kSheet, {K::CursorMove, "B7"}, "no"},
        {E::Refuse, kDrawing, {K::SystemVariable, "CMDECHO"}, "later"},
        {E::Refuse, kDrawing, {K::CommandRow, "9"}, "later"},
        {E::Refuse, kDrawing, {K::SystemVariable, "CMDECHO"}, "later"}},
       {"AutoCAD拒绝了 4 步操作，结果不完整：\n第 5、9 行的命令未发送\n系统变量 CMDECHO 未设置\n\nbusy\n\n"
        "Excel拒绝了 1 步操作，结果不完整：\n活动单元格未移到 B7\n\nno"}},
      {"the programs the attach found",
       {{E::Refuse, kSheet, {K::CellWrite, "B4"}, "locked"}, {E::Refuse, kDrawing, {K::CommandRow, "2"}, "busy"}},
       {"WPS 表格拒绝了 1 步操作，结果不完整：\n1 个单元格未写入 (B4)\n\nlocked\n\n"
        "ZWCAD拒绝了 1 步操作，结果不完整：\n第 2 行的命令未发送\n\nbusy"},
       "ZWCAD.Application", "KET.Application"},
      {"a lost host and what it refused: one message",
       {{E::Lose}, {E::Refuse, kDrawing, {K::CommandRow, "40"}}},
       {lost + "\n\nAutoCAD拒绝了 1 步操作，结果不完整：\n第 40 行的命令未发送"}},
      {"a lost host alone", {{E::Lose}}, {lost}},
      {"the tool passes the loss on after refusals: held for the one report",
       {{E::Refuse, kDrawing, {K::PointRead, "1"}, "busy"}, {E::Lose}, {E::Show, kDrawing, {}, passedOn.c_str()}},
       {lost + "\n\nAutoCAD拒绝了 1 步操作，结果不完整：\n第 1 个点的坐标未转换，记下的是前一个点的坐标（第一个点为 0）\n\nbusy"}},
      {"the tool passes the loss on, nothing refused", {{E::Lose}, {E::Show, kDrawing, {}, passedOn.c_str()}}, {lost}},
      {"the tool's own word after the loss", {{E::Lose}, {E::Show, kDrawing, {}, "Good Bye."}}, {"Good Bye."}},
      {"the tool's own word, then the loss with what was refused",
       {{E::Lose}, {E::Refuse, kSheet, {K::CellWrite, "B4"}}, {E::Show, kDrawing, {}, "Good Bye."}},
       {"Good Bye.", lost + "\n\nExcel拒绝了 1 步操作，结果不完整：\n1 个单元格未写入 (B4)"}},
  };
  for (const Case& c : cases) {
    sim::RecordingPlatform desktop;
    HostSession attached;
    attached.acadProgId = c.acadProgId;
    attached.excelProgId = c.excelProgId;
    HostLossReport report(desktop, &attached);
    report.beginRun();
    std::size_t shownInRun = 0;  // the tool's own messages show at once; a loss passed on is held
    for (const Event& e : c.run) {
      if (e.what == E::Lose) report.callFailed(kAcadProgId, gone);
      if (e.what == E::Refuse) report.stepRefused(e.host, e.step, e.text ? Error{hr::kFail, e.text} : gone);
      if (e.what == E::Show) report.messageBox(e.text);
      if (e.what == E::Show && e.text != passedOn) ++shownInRun;
    }
    EXPECT_EQ(desktop.messages.size(), shownInRun) << c.what << ": the report said before the run ended";
    report.endRun();
    std::vector<std::string> shown;
    for (const auto& m : desktop.messages) shown.push_back(m.text);
    EXPECT_EQ(shown, c.shown) << c.what;
    report.beginRun();  // a new run starts with nothing to say
    report.endRun();
    EXPECT_EQ(desktop.messages.size(), c.shown.size()) << c.what;
  }
}

// A host gone in a tool's run: whatever the tool refused and whatever it
// showed passing the loss on, the drafter gets one message: the loss, or the
// tool's own word for the step that failed.
TEST(RunReport, AToolUnderALostHostEndsWithOneMessage) {
  struct Case {
    const char* what;
    bool sheetLost;  // else the drawing
    std::function<void(HostSession&, HostBroker&, Platform&)> click;
    const char* ownWord = nullptr;
    // The lost host's calls that fail (member, nth); by default every one.
    std::vector<std::pair<const char*, std::size_t>> failing = {{"*", 0}};
  };
  const Case cases[] = {
      {"AREA passes the loss on", false,
       [](HostSession& s, HostBroker&, Platform& p) { MeasureArea(s, p, Settings{}); }},
      {"AREA leaves its region, then passes the loss on", false,
       [](HostSession& s, HostBroker&, Platform& p) { MeasureArea(s, p, Settings{}); }, nullptr,
       {{"Highlight", 0}, {"Count", 4}}},
      {"ID refuses to read the sheet", true,
       [](HostSession& s, HostBroker&, Platform& p) {
         Settings settings;
         settings.X = 1;
         IdentifyPoints(s, p, settings);
       }},
      {"block to column cannot read the selection", true,
       [](HostSession& s, HostBroker&, Platform& p) {
         ExcelApp excel(s.ExcelApp);
         if (auto done = BlockToColumn(excel, -1); !done) p.messageBox(done.error().description);
       },
       kWrongSelectionMessage},
      {"the repeater refuses the selection and its commands", true,
       [](HostSession& s, HostBroker& b, Platform& p) {
         RepeaterForm form;
         form.Combo1 = "circle";
         RunCommandForEachRow(form, Settings{}, s, b, p);
       }},
  };
  const Error gone = hostGoneError({hr::kDisconnected, "The object invoked has disconnected"});
  for (const Case& c : cases) {
    sim::StandInDesk desk;
    desk.sheet->select({{2, 2}, {3, 3}});
    desk.drawing->addEntity({.kind = sim::EntityKind::Circle, .points = {{0, 0, 0}}, .radius = 5});
    desk.drawing->picks.push(sim::PickAnswer::at({1, 2, 0}));
    HostLossReport report(desk.platform, &desk.hosts);
    CountingBroker broker(desk.broker, {}, [&](std::string_view progId, const Error& e) {
      report.callFailed(progId, e);
    });
    AttachAcad(desk.hosts, broker, report);
    AttachExcel(desk.hosts, broker, report);
    auto& lost = c.sheetLost ? *desk.excel.context : *desk.acad.context;
    for (const auto& [member, nth] : c.failing) lost.faults.add({"", member, nth, gone});
    report.beginRun();
    c.click(desk.hosts, broker, report);
    report.endRun();
    ASSERT_EQ(desk.platform.messages.size(), 1u) << c.what;
    const std::string said =
        c.ownWord ? c.ownWord : hostLostMessage(c.sheetLost ? kExcelProgId : kAcadProgId, gone);
    EXPECT_TRUE(desk.platform.messages[0].text.starts_with(said))
        << c.what << ": " << desk.platform.messages[0].text;
  }
}

TEST(RunReport, LongListsNameTheirFirstSteps) {
  std::vector<RefusedStep> rows;
  for (int row = 1; row <= 14; ++row) rows.push_back({K::CommandRow, std::to_string(row)});
  EXPECT_EQ(RefusedStepsText(rows), "第 1、2、3、4、5、6、7、8、9、10、11、12、… 行的命令未发送");
}

}  // namespace
}  // namespace plotmate
