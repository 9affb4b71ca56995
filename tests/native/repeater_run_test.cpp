#include <gtest/gtest.h>

#include <algorithm>

#include "hosts/excel_codes.h"
#include "repeater/batch_run.h"
#include "sim/state/standin_desk.h"

// What each run sends, AutoNext, runs that end early, missing hosts and
// failing host calls are checked by the golden scenarios
// (tests/scenarios/repeater_*).

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
