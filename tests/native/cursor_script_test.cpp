#include "hosts/cursor_script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "sim/sheet/excel_objects.h"
#include "sim/sheet/sheet_area.h"

namespace plotmate {
namespace {

using sim::Area;
using sim::CellRef;

struct SheetHost {
  std::shared_ptr<sim::Worksheet> sheet = std::make_shared<sim::Worksheet>();
  sim::ExcelStandIn host = sim::makeExcelStandIn(sheet);
  ExcelApp excel{host.application};
};

// A vertex table of two rows as "->Excel" writes it, the texts that typing
// would turn into something else among them.
CursorScript vertexTable() {
  CursorScript s;
  s.move(0, 1);
  s.write(Variant("PLine顶点坐标"));
  s.move(1, -1);
  s.writeAcross({"X", "Y", "Z"});
  s.move(1, -2);
  for (double v : {1.23456, -0.5}) {
    s.writeNumber(v, 3);
    s.move(0, 1);
    s.write(ExactCellValue(Variant("007")));
    s.move(0, 1);
    s.write(Variant{});
    s.move(1, -2);
  }
  return s;
}

// The bulk path must leave the sheet, the active cell and the selection
// exactly as the call-by-call path does. A host that refuses every call of a
// member refuses both paths; one refused call of the bulk path only sends
// the table down the call-by-call path, which then meets no fault.
TEST(CursorScript, BulkLeavesWhatCallByCallLeaves) {
  struct Case {
    const char* what;
    Area selection;
    CellRef active;
    std::vector<sim::FaultRule> faults;
    bool bulkTaken;  // the bulk path finished without falling back
  };
  const Area b2 = Area::cell({2, 2});
  const Case cases[] = {
      {"one selected cell", b2, {2, 2}, {}, true},
      {"a selection holding the whole walk keeps it", {{1, 1}, {9, 9}}, {2, 2}, {}, true},
      {"a walk that leaves the selection and comes back", {{2, 2}, {9, 2}}, {2, 2}, {}, true},
      {"the active cell inside a larger selection", {{1, 1}, {3, 3}}, {3, 3}, {}, true},
      {"the last column: the walk leaves the sheet", Area::cell({2, 16384}), {2, 16384}, {}, false},
      {"the sheet is smaller than the default", Area::cell({2, 255}), {2, 255}, {}, false},
      {"an array refused", b2, {2, 2}, {{"Range", "Resize", 0, {hr::kFail, "no"}}}, false},
      {"the second block refused", b2, {2, 2}, {{"Range", "Value", 2, {hr::kFail, "no"}}}, false},
      {"the address unknown", b2, {2, 2}, {{"Range", "Address", 0, {hr::kFail, "no"}}}, false},
      {"a protected sheet", b2, {2, 2}, {{"Range", "Value", 0, {hr::kFail, "locked"}}}, false},
  };
  for (const auto& c : cases) {
    SheetHost bulk, callByCall;
    for (SheetHost* run : {&bulk, &callByCall}) {
      run->sheet->setSize(kCompatibilitySheet);
      run->sheet->setValue({3, 3}, Variant(99.0));  // overwritten by "Y"
      run->sheet->setValue({2, 2}, Variant("kept"));  // beside the title, never written
      run->sheet->select(c.selection);
      run->sheet->activate(Area::cell(c.active));
      for (const auto& f : c.faults)
        if (run == &bulk || f.nth == 0) run->host.context->faults.add(f);
    }
    const CursorScript script = vertexTable();
    const auto bulkResult = PlayAtActiveCell(bulk.excel, script, kCompatibilitySheet);
    const auto callResult = PlayCallByCall(callByCall.excel, script);
    EXPECT_EQ(bulkResult.has_value(), callResult.has_value()) << c.what;
    EXPECT_EQ(bulk.sheet->cells(), callByCall.sheet->cells()) << c.what;
    EXPECT_EQ(bulk.sheet->activeCell(), callByCall.sheet->activeCell()) << c.what;
    EXPECT_EQ(bulk.sheet->selection(), callByCall.sheet->selection()) << c.what;
    const std::size_t bulkCalls = bulk.host.context->log.size();
    const std::size_t callCalls = callByCall.host.context->log.size();
    // Fewer calls when the bulk path finishes, more when it falls back.
    EXPECT_EQ(bulkCalls * 3 < callCalls, c.bulkTaken) << c.what << ": " << bulkCalls;
  }
  // What the walk writes, checked once by value: numbers as numbers rounded
  // as written, "007" as text, a blank as blank, the cell beside the title kept.
  SheetHost run;
  run.sheet->setValue({2, 2}, Variant("kept"));
  run.sheet->setValue({4, 4}, Variant(5.0));
  run.sheet->activate(Area::cell({2, 2}));
  ASSERT_TRUE(PlayAtActiveCell(run.excel, vertexTable(), SheetSize{}));
  EXPECT_EQ(run.sheet->value({2, 3}), Variant("PLine顶点坐标"));
  EXPECT_EQ(run.sheet->value({2, 2}), Variant("kept"));
  EXPECT_EQ(run.sheet->value({4, 2}), Variant(1.235));
  EXPECT_EQ(run.sheet->value({5, 2}), Variant(-0.5));
  EXPECT_EQ(run.sheet->value({4, 3}), Variant("007"));
  EXPECT_EQ(run.sheet->value({4, 4}), Variant{});
  EXPECT_EQ(run.sheet->activeCell(), (CellRef{6, 2}));
}

// A desktop that keeps the refused steps it is told of.
struct RefusalLog : Platform {
  void messageBox(std::string_view, std::string_view) override {}
  void activateWindow(std::string_view) override {}
  bool startProcess(std::string_view, std::string_view) override { return false; }
  std::string executableFolder() override { return {}; }
  void stepRefused(HostKind, RefusedStep step, const Error&) override { steps.push_back(step); }
  std::vector<RefusedStep> steps;
};

// Call by call, a refused step is dropped and told, and no later step moves:
// every other cell is what a clean run writes, never one beside its place.
TEST(CursorScript, RefusedStepsAreToldAndMoveNothing) {
  using K = RefusedKind;
  struct Case {
    const char* what;
    std::vector<sim::FaultRule> faults;
    std::vector<RefusedStep> told;
  };
  const Case cases[] = {
      {"a clean run", {}, {}},
      {"the first move", {{"Range", "Activate", 1, {hr::kFail, "no"}}}, {}},
      {"the last move", {{"Range", "Activate", 11, {hr::kFail, "no"}}}, {{K::CursorMove, "B6"}}},
      {"the third write", {{"Range", "Value", 3, {hr::kFail, "no"}}}, {{K::CellWrite, "C3"}}},
      {"a write past the sheet's edge", {{"Range", "Offset", 4, {xl::kObjectDefinedError, "edge"}}},
       {{K::CellWrite, "B3"}}},
      {"no active cell", {{"Application", "ActiveCell", 0, {hr::kFail, "no"}}},
       {{K::CellWrite, "R[0]C[1]"}, {K::CellWrite, "R[1]C[0]"}, {K::CellWrite, "R[1]C[1]"},
        {K::CellWrite, "R[1]C[2]"}, {K::CellWrite, "R[2]C[0]"}, {K::CellWrite, "R[2]C[1]"},
        {K::CellWrite, "R[2]C[2]"}, {K::CellWrite, "R[3]C[0]"}, {K::CellWrite, "R[3]C[1]"},
        {K::CellWrite, "R[3]C[2]"}, {K::CursorMove, "R[4]C[0]"}}},
  };
  SheetHost clean;
  clean.sheet->activate(Area::cell({2, 2}));
  ASSERT_TRUE(PlayCallByCall(clean.excel, vertexTable()));
  for (const auto& c : cases) {
    SheetHost run;
    run.sheet->activate(Area::cell({2, 2}));
    for (const auto& f : c.faults) run.host.context->faults.add(f);
    RefusalLog log;
    (void)PlayCallByCall(run.excel, vertexTable(), &log);
    EXPECT_EQ(log.steps, c.told) << c.what;
    auto expected = clean.sheet->cells();
    for (const RefusedStep& step : c.told) {
      // A cell named relative to the start (B2) when the start's place is unknown.
      int r = 0, col = 0;
      auto cell = sim::parseCellText(step.item);
      if (!cell && std::sscanf(step.item.c_str(), "R[%d]C[%d]", &r, &col) == 2) cell = CellRef{2 + r, 2 + col};
      if (step.kind == K::CellWrite) expected.erase(*cell);
    }
    EXPECT_EQ(run.sheet->cells(), expected) << c.what;
  }
}

}  // namespace
}  // namespace plotmate
