#include <gtest/gtest.h>

#include <algorithm>

#include "hosts/excel_codes.h"
#include "repeater/batch_run.h"
#include "sim/standin_desk.h"

namespace plotmate {
namespace {

using namespace std::string_literals;
using sim::Area;
using sim::CellRef;

// SetVariable's arguments as the call log shows them.
std::string setting(const char* name, int value) {
  return "\"" + std::string(name) + "\", " + std::to_string(value);
}

const std::vector<std::string> kBatchVariables{setting("CMDECHO", 0), setting("FILEDIA", 0),
                                               setting("EXPERT", 1), setting("PDMODE", 34),
                                               setting("PDSIZE", 5)};
const std::vector<std::string> kRestored{setting("EXPERT", 0), setting("FILEDIA", 1),
                                         setting("CMDECHO", 1)};

std::vector<std::string> completedRun() {
  auto out = kBatchVariables;
  out.insert(out.end(), kRestored.begin(), kRestored.end());
  return out;
}

class RepeaterRunTest : public ::testing::Test, public sim::StandInDesk {
 protected:
  void put(CellRef cell, Variant value) { ASSERT_TRUE(sheet->setValue(cell, value)); }
  void putRow(std::int32_t row, std::int32_t column, const std::vector<Variant>& values) {
    for (const auto& v : values) put({row, column++}, v);
  }
  void run() { RunCommandForEachRow(form, settings, session, broker, platform); }
  void useTemplate(const std::string& name) {
    form.Combo1 = name;
    form.Combo1_Click();
  }
  const std::vector<std::string>& sent() const { return acad.session->commands.sent; }
  // SetVariable calls in order, whether or not the host took them.
  std::vector<std::string> variableCalls() const {
    std::vector<std::string> out;
    for (const auto& r : acad.context->log.entries())
      if (r.member == "SetVariable") out.push_back(r.arguments);
    return out;
  }

  HostSession& session = hosts;
  Settings settings;
  RepeaterForm form;
};

TEST_F(RepeaterRunTest, OneLinePerRowInsideTheSystemVariablesAndOneUndoGroup) {
  useTemplate("circle");
  form.setCheck1(0, true);
  form.setCheck2(0, true);
  form.Text1[2] = "5";
  putRow(3, 2, {100.0, 200.0});
  putRow(4, 2, {-1.25, 0.5});
  sheet->select({{3, 2}, {4, 3}});
  run();
  EXPECT_EQ(sent(), (std::vector<std::string>{"circle\r100,200\r5\r", "circle\r-1.25,0.5\r5\r"}));
  EXPECT_EQ(variableCalls(), completedRun());
  EXPECT_EQ(
      calls(*acad.context),
      (std::vector<std::string>{
          "AcadApplication.Visible", "AcadApplication.ActiveDocument", "AcadDocument.ModelSpace",
          "AcadDocument.SetVariable", "AcadDocument.SetVariable", "AcadDocument.SetVariable",
          "AcadDocument.SetVariable", "AcadDocument.SetVariable", "AcadDocument.StartUndoMark",
          "AcadDocument.SendCommand", "AcadDocument.SendCommand", "AcadDocument.EndUndoMark",
          "AcadDocument.SetVariable", "AcadDocument.SetVariable", "AcadDocument.SetVariable"}));
  EXPECT_EQ(platform.activatedWindows, (std::vector<std::string>{"autoCAD"}));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(sheet->selection(), (Area{{3, 2}, {4, 3}}));
  // Fixed values afterwards, whatever they were before; the point look stays.
  const std::pair<const char*, Variant> after[] = {{"CMDECHO", std::int16_t{1}},
                                                   {"FILEDIA", std::int16_t{1}},
                                                   {"EXPERT", std::int16_t{0}},
                                                   {"PDMODE", std::int16_t{34}},
                                                   {"PDSIZE", 5.0}};
  for (const auto& [name, value] : after)
    EXPECT_EQ(acad.session->variables.get(name), value) << name;
}

TEST_F(RepeaterRunTest, AutoNextMovesToTheSecondRowAndStillRunsEveryRow) {
  form.Combo1 = "point";
  form.setCheck1(0, true);
  form.setCheck2(0, true);
  form.Check3 = true;
  for (std::int32_t r = 0; r < 5; ++r) putRow(10 + r, 4, {r * 1.0, r * 2.0, "n"s});
  sheet->select({{10, 4}, {14, 6}});
  run();
  EXPECT_EQ(sent().size(), 5u);
  EXPECT_EQ(sent()[4], "point\r4,8\r");
  EXPECT_EQ(sheet->selection(), (Area{{11, 4}, {11, 6}}));
}

// The selection's range read with one Value; when the host will not say
// where the selection is, cell by cell, column after column.
TEST_F(RepeaterRunTest, CellsAreCapturedInOneReadElseColumnByColumn) {
  for (bool bulk : {true, false}) {
    excel.context->faults.clear();
    excel.context->log.clear();
    if (!bulk) excel.context->faults.add({"Range", "Address", 0, Error{hr::kFail, "no"}});
    form.Combo1 = "x";
    form.setCheck1(0, true);
    putRow(1, 1, {1.0, 2.0});
    putRow(2, 1, {3.0, 4.0});
    sheet->select({{1, 1}, {2, 2}});
    run();
    std::vector<std::string> reads;
    for (const auto& r : excel.context->log.entries())
      if (r.member == "Cells" || r.member == "Value") reads.push_back(r.member + " " + r.arguments);
    const std::vector<std::string> expected =
        bulk ? std::vector<std::string>{"Value "}
             : std::vector<std::string>{"Cells 1, 1", "Value ", "Cells 2, 1", "Value ",
                                        "Cells 1, 2", "Value ", "Cells 2, 2", "Value "};
    EXPECT_EQ(reads, expected) << bulk;
  }
  EXPECT_EQ(sent(), (std::vector<std::string>{"x\r1\r", "x\r3\r", "x\r1\r", "x\r3\r"}));
}

// Each run ends before any system variable is set; AutoNext has moved already.
TEST_F(RepeaterRunTest, RunsThatEndEarlySendNothing) {
  struct Case {
    const char* what;
    std::string command;
    Area selection;
    std::int16_t yox;
    bool threeParts;
    std::string message;
  };
  const Case cases[] = {
      {"ZhanDian on two columns", "ZhanDian", {{2, 2}, {6, 3}}, 0, false, "对不起，您的选择区域不对！"},
      {"ZhanDian on four columns", "ZhanDian", {{2, 2}, {6, 5}}, 0, false, "对不起，您的选择区域不对！"},
      {"the whole sheet", "x", {{1, 1}, {xl::kMaxRow, xl::kMaxColumn}}, 0, false, "对不起，您的选择区域不对！"},
      {"a triple with engineering coordinates", "x", {{2, 2}, {6, 4}}, 1, true, "有三维坐标"},
  };
  for (const auto& c : cases) {
    RepeaterForm fresh;
    form = fresh;
    platform.messages.clear();
    acad.context->log.clear();
    excel.context->log.clear();
    useTemplate(c.command);
    form.Check3 = true;
    if (c.threeParts) {
      form.setCheck2(0, true);
      form.setCheck2(1, true);
      form.setCheck1(0, true);
    }
    settings.YOX = c.yox;
    sheet->select(c.selection);
    run();
    EXPECT_EQ(messages(), std::vector<std::string>{c.message}) << c.what;
    EXPECT_TRUE(sent().empty()) << c.what;
    EXPECT_TRUE(variableCalls().empty()) << c.what;
    const auto& s = c.selection;
    EXPECT_EQ(sheet->selection(),
              (Area{{s.first.row + 1, s.first.column}, {s.first.row + 1, s.last.column}}))
        << c.what;
    const auto excelCalls = calls(*excel.context);
    const bool captured = std::ranges::find(excelCalls, "Range.Value") != excelCalls.end();
    EXPECT_EQ(captured, c.yox == 1) << c.what;  // the selection checks come before the capture
  }
}

TEST_F(RepeaterRunTest, MissingHostsAndAMissingDrawingStopBeforeAnything) {
  form.Combo1 = "x";
  sheet->select({{1, 1}, {3, 1}});
  broker.setNotRunning(kExcelProgId);
  run();
  EXPECT_EQ(messages(), (std::vector<std::string>{"Excel可能未打开！\n\nOperation unavailable"}));

  platform.messages.clear();
  broker.setRunning(kExcelProgId, excel.application);
  broker.setNotRunning(kAcadProgId);
  run();
  EXPECT_EQ(messages(), (std::vector<std::string>{"AutoCAD可能未打开！\n\nOperation unavailable"}));

  // A host with no drawing open, met by a first attach (a later one would
  // keep the document an earlier attach found, as every attach does).
  platform.messages.clear();
  session = HostSession{};
  broker.setRunning(kAcadProgId, acad.application);
  acad.context->faults.add({"AcadApplication", "ActiveDocument", 0, Error{hr::kFail, "none"}});
  form.Check3 = true;
  run();
  EXPECT_EQ(messages(), (std::vector<std::string>{std::string(kNoDrawingMessage)}));
  EXPECT_TRUE(sent().empty());
  EXPECT_TRUE(variableCalls().empty());
  EXPECT_TRUE(platform.activatedWindows.empty());
  EXPECT_EQ(sheet->selection(), (Area{{1, 1}, {3, 1}}));
}

TEST_F(RepeaterRunTest, FailingHostCallsArePassedOver) {
  form.Combo1 = "x";
  form.setCheck1(0, true);
  for (std::int32_t r = 1; r <= 4; ++r) put({r, 1}, r * 1.0);
  sheet->select({{1, 1}, {4, 1}});
  acad.context->faults.add({"", "SendCommand", 2, Error{hr::kFail, "busy"}});
  acad.context->faults.add({"", "SetVariable", 0, Error{hr::kFail, "refused"}});
  acad.context->faults.add({"", "StartUndoMark", 0, Error{hr::kFail, "refused"}});
  excel.context->faults.add({"", "Address", 0, Error{hr::kFail, "refused"}});  // cell by cell
  excel.context->faults.add({"", "Value", 3, Error{hr::kFail, "busy"}});  // the third cell
  run();
  EXPECT_EQ(sent(), (std::vector<std::string>{"x\r1\r", "x\r\r", "x\r4\r"}));
  EXPECT_TRUE(platform.messages.empty());
  auto acadCalls = calls(*acad.context);
  EXPECT_EQ(acadCalls.back(), "AcadDocument.SetVariable FAILED");
  EXPECT_EQ(std::count(acadCalls.begin(), acadCalls.end(), "AcadDocument.EndUndoMark"), 1);
}

TEST_F(RepeaterRunTest, AnUnreadableSelectionRunsNoRowButSetsAndRestoresTheVariables) {
  form.Combo1 = "x";
  form.setCheck1(0, true);
  sheet->selectObject("Chart 1");
  run();
  EXPECT_TRUE(sent().empty());
  EXPECT_EQ(variableCalls(), completedRun());
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(RepeaterRunTest, SelectionsPastSixteenBitCounts) {
  form.Combo1 = "x";
  form.setCheck1(0, true);
  const std::int32_t rows = 33000;
  put({rows, 1}, "last");
  sheet->select({{1, 1}, {rows, 1}});
  excel.context->log.setKeepRecords(false);
  acad.context->log.setKeepRecords(false);
  run();
  ASSERT_EQ(sent().size(), static_cast<std::size_t>(rows));
  EXPECT_EQ(sent().back(), "x\rlast\r");
}

}  // namespace
}  // namespace plotmate
