// The main window's buttons through plotmate.exe's own COM code, against the
// stand-in servers that the test fixture has started.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cwctype>
#include <functional>
#include <set>
#include <thread>

#include "hosts/acad.h"
#include "hosts/broker.h"
#include "hosts/com/apartment.h"
#include "hosts/com/com_broker.h"
#include "sim/apps/attach_wait.h"
#include "sim/apps/server_process.h"
#include "sim/apps/view/sheet_grid.h"
#include "tests/ui/ui_steps.h"
#include "tools/desktop/desktop_driver.h"
#include "win32/owned_handles.h"

namespace plotmate::uitest {

namespace {

using Json = nlohmann::json;

constexpr const wchar_t* kTitle = L"PLOTMATE   2012.07.04";

// A stand-in's state as it reports it, or null when it does not answer.
Json stateOf(const DispatchPtr& host) {
  auto text = host->call("SimState");
  return text && text->getIf<std::string>() ? Json::parse(*text->getIf<std::string>()) : Json();
}

class StandIns : public ::testing::Test {
 protected:
  void load(std::string_view progId, const Json& state) {
    auto host = broker_.findRunning(progId);
    ASSERT_TRUE(host) << progId << " is not running";
    auto loaded = (*host)->call("SimLoadState", {state.dump(), std::string(".")});
    ASSERT_TRUE(loaded) << loaded.error().description;
  }

  // The host's HWND / Hwnd answers `window` until the next load.
  void reportWindow(std::string_view progId, HWND window) {
    auto host = broker_.findRunning(progId);
    ASSERT_TRUE(host) << progId << " is not running";
    const auto handle = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window));
    ASSERT_TRUE((*host)->call("SimReportWindow", {handle}));
  }

  Json state(std::string_view progId) {
    auto host = broker_.findRunning(progId);
    return host ? stateOf(*host) : Json();
  }

  // Polls the host until `ready` holds for its state (the run is in another process).
  Json waitForState(std::string_view progId, const std::function<bool(const Json&)>& ready) {
    Json now;
    pollUntil([&] { return ready(now = state(progId)); }, 30s);
    return now;
  }

  com::ComApartment apartment_;
  com::ComHostBroker broker_;
};

Settings withCrossings() {
  Settings settings;
  settings.PREC = 3;
  settings.InterCoord = 1;
  settings.TOP = settings.LEFT = 600;
  return settings;
}

// A top-level window of this thread's, shown as `show` says.
HWND makeWindow(const wchar_t* className, const wchar_t* title, int at, int show) {
  HWND window = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, at, at, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
  ShowWindow(window, show);
  return window;
}


TEST_F(StandIns, ExcelButtonFillsTheSheetFromThePickedPolyline) {
  // A zigzag of 200 vertices and 401 lines across its first segment: the
  // crossing table's four calls per line make the run take seconds.
  constexpr int kMoreLines = 400;
  Json drawing = Json::parse(R"({
    "drawing": {"entities": [
      {"type": "lwpolyline", "handle": "1A", "points": []},
      {"type": "line", "handle": "1B", "start": [0.5, -1], "end": [0.5, 2]}]},
    "picks": [{"entity": "1A"}]})");
  Json& entities = drawing["drawing"]["entities"];
  for (int i = 0; i < 200; ++i) entities[0]["points"].push_back({i, i % 2});
  for (int i = 0; i < kMoreLines; ++i)
    entities.push_back({{"type", "line"}, {"start", {0.1 + 0.002 * i, -1}}, {"end", {0.1 + 0.002 * i, 2}}});
  load(kAcadProgId, drawing);
  load(kExcelProgId, Json::parse(R"({"sheet": {"active": "B2"}})"));
  // The title rule itself, with old-style titles: a minimised window of
  // "AutoCAD" that the export must bring forward; an earlier window whose
  // title only begins with the name loses to it.
  win32::OwnedWindow prefixOnly(makeWindow(L"STATIC", L"autoCAD 2018 - [plan.dwg]", 40, SW_SHOWNORMAL));
  win32::OwnedWindow drawingWindow(makeWindow(L"STATIC", L"AUTOCAD", 60, SW_SHOWMINNOACTIVE));
  RunningProgram program("excel-button", withCrossings());
  ASSERT_TRUE(program.mainWindow());
  HWND button = GetDlgItem(program.mainWindow(), 101);
  click(button);
  // While it runs, the drafter clicks again and watches the caption.
  std::set<std::wstring> captions;
  waitForState(kExcelProgId, [&](const Json& s) {
    captions.insert(captionOf(program.mainWindow()));
    const bool started = s.contains("sheet") && s["sheet"]["cells"].contains("B3");
    const bool crossingsBegun = started && s["sheet"]["cells"].contains("C206");
    if (started && !crossingsBegun) postClick(button, {10, 10});  // well inside the run, never after it
    return started && s["sheet"]["cells"].contains("J208");
  });
  // The window answers messages during the run too: its caption coming back
  // is what says the run has ended.
  pollUntil([&] { return captionOf(program.mainWindow()) == kTitle; }, 30s);
  EXPECT_EQ(captionOf(program.mainWindow()), kTitle) << "restored";
  EXPECT_TRUE(std::any_of(captions.begin(), captions.end(), [](const auto& c) {
    return c.starts_with(L"->Excel ") && c.size() > 8 && iswdigit(c[8]);
  })) << "a run of seconds shows its progress";
  EXPECT_FALSE(IsIconic(drawingWindow.get())) << "the drawing window is restored";
  EXPECT_EQ(GetForegroundWindow(), drawingWindow.get()) << "the exact title wins over the earlier prefix";
  drawingWindow.reset();
  prefixOnly.reset();
  const Json prompts = state(kAcadProgId)["drawing"]["prompts"];
  EXPECT_EQ(prompts.size(), 1u) << "one run only: " << prompts.dump();
  const Json sheet = state(kExcelProgId)["sheet"];
  const auto message = answerMessageBox(program.pid(), 200ms);
  EXPECT_FALSE(message) << "no message on a good run: " << toUtf8(message ? message->title + L": " + message->text : L"");
  const struct { const char* cell; Json value; } cells[] = {
      {"C2", "PLine顶点坐标"}, {"B3", "X"},        {"B4", 0.0},   {"C5", 1.0},
      {"B203", 199.0},       {"C203", 1.0},       {"C206", "交点坐标"}, {"B208", 0.5},
      {"C208", 0.5},         {"F208", -1.0},      {"I208", 2.0},
  };
  for (const auto& c : cells) EXPECT_EQ(sheet["cells"].value(c.cell, Json()), c.value) << c.cell;
  EXPECT_EQ(sheet["active"], "B" + std::to_string(209 + kMoreLines)) << "below the last table";
  EXPECT_FALSE(program.file("DistOut.txt").has_value()) << "the sheet, not the file";
}

TEST_F(StandIns, AcadButtonDrawsThePolylineOfTheSelectedColumns) {
  load(kAcadProgId, Json::parse(R"({"drawing": {"entities": []}})"));
  load(kExcelProgId, Json::parse(R"({"sheet": {
    "cells": {"A1": 1, "B1": 2, "A2": 3, "B2": 4.5, "A3": -1, "B3": 0},
    "selection": "A1:B3", "active": "A1"}})"));
  RunningProgram program("acad-button", withCrossings());
  ASSERT_TRUE(program.mainWindow());
  click(GetDlgItem(program.mainWindow(), 102));
  const Json drawing = waitForState(kAcadProgId, [](const Json& s) {
    return s.contains("drawing") && !s["drawing"]["entities"].empty();
  })["drawing"];
  ASSERT_EQ(drawing["entities"].size(), 1u) << drawing.dump();
  EXPECT_EQ(drawing["entities"][0]["type"], "AcDbPolyline");
  EXPECT_EQ(drawing["entities"][0]["points"], Json::parse("[[1,2,0],[3,4.5,0],[-1,0,0]]"))
      << drawing["entities"][0].dump();
  EXPECT_FALSE(answerMessageBox(program.pid(), 200ms));
}

TEST_F(StandIns, BlockWindowWritesTheSelectedBlockAsOneColumnBelowIt) {
  const struct {
    std::int16_t readDirec;
    const char* column;  // B4:B7 afterwards
  } cases[] = {{-1, "[1,2,3,4]"}, {0, "[1,3,2,4]"}};
  for (const auto& c : cases) {
    load(kExcelProgId, Json::parse(R"({"sheet": {
      "cells": {"B2": 1, "C2": 2, "B3": 3, "C3": 4, "B8": "kept"},
      "selection": "B2:C3", "active": "C3"}})"));
    Settings settings = withCrossings();
    settings.ReadDirec = c.readDirec;
    RunningProgram program("block-run" + std::to_string(c.readDirec), settings);
    HWND window = openTool(program, 6, L"PlotmateEXCEL");
    ASSERT_TRUE(window);
    click(GetDlgItem(window, 103));
    const Json sheet = waitForState(kExcelProgId, [](const Json& s) {
      return s.contains("sheet") && s["sheet"]["cells"].contains("B7");
    })["sheet"];
    Json column = Json::array();
    for (const char* cell : {"B4", "B5", "B6", "B7"}) column.push_back(sheet["cells"].value(cell, Json()));
    EXPECT_EQ(column, Json::parse(c.column)) << c.readDirec;
    EXPECT_EQ(sheet["cells"].value("B8", Json()), "kept") << "nothing below the list is touched";
    EXPECT_EQ(sheet["selection"], "B2:C3");
    EXPECT_EQ(sheet["active"], "C3");
    EXPECT_FALSE(answerMessageBox(program.pid(), 200ms)) << c.readDirec;
  }
}

// Windows titled as today's hosts title theirs, which no title the tools
// look for matches: the hosts report them as their main windows, and the
// tools bring them forward by that handle. Each notes whether it was
// activated. They live on the test's thread, which pumps while it waits.
class HostWindows {
 public:
  HostWindows() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.lpszClassName = L"PlotmateTestHost";
    RegisterClassW(&wc);  // a second registration fails harmlessly
    activated.clear();
    // The drawing over the sheet, as while the drafter picks: a message box
    // that closes hands the activation to the drawing, not the sheet.
    sheet.reset(makeWindow(wc.lpszClassName, L"Book1 - Excel", 90, SW_SHOWNOACTIVATE));
    drawing.reset(makeWindow(wc.lpszClassName, L"Autodesk AutoCAD 2024 - [plan.dwg]", 60, SW_SHOWNOACTIVATE));
  }
  bool wasActivated(const win32::OwnedWindow& window) const { return activated.contains(window.get()); }

  win32::OwnedWindow sheet, drawing;  // the drawing destroyed first

 private:
  static inline std::set<HWND> activated;
  static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) activated.insert(hwnd);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
};

// The pick tools' buttons: picks queued in the drawing, rows in the sheet,
// until the drafter presses Esc in the drawing (a cancelled pick). Each run
// ends where its tool leaves it, and then the tool window comes back to the front.
TEST_F(StandIns, PickWindowsRecordTheirPicksUntilEscInTheDrawing) {
  const struct {
    const char* name;
    int entry;
    const wchar_t* className;
    bool withText;  // ID's " T": a text picked after each point
    const char* picks;
    std::vector<std::pair<const char*, double>> cells;
    const char* untouched;  // a cell the run must not write
    const char* active;     // the active cell afterwards
    std::size_t prompts;    // shown in the drawing, the cancelled one included
    bool sheetActivated;    // the sheet's window brought forward at the end
    const wchar_t* message;  // shown at the end (title: text), or nullptr
  } tools[] = {
      {"point", 5, L"PlotmateID", false,
       R"([{"point": [1.5, 2, 3]}, {"point": [-4, 5.25, 0]}, {"cancel": true}])",
       {{"B2", 1.5}, {"C2", 2.0}, {"B3", -4.0}, {"C3", 5.25}}, "D2", "B4", 3, true, nullptr},
      {"point-text", 5, L"PlotmateID", true, R"([{"point": [1.5, 2, 3]}, {"cancel": true}])",
       {{"B2", 1.5}, {"C2", 2.0}}, "E2", "B3", 2, false, L"GetEntity: Good Bye."},
      {"distance-start", 4, L"PlotmateDIST", false,
       R"([{"point": [1, 1, 0]}, {"point": [4, 5, 9]}, {"cancel": true}])",
       {{"B2", 3.0}, {"C2", 4.0}, {"D2", 5.0}}, "B3", "B3", 3, true, nullptr},
      {"distance-end", 4, L"PlotmateDIST", false,
       R"([{"point": [1, 1, 0]}, {"point": [4, 5, 9]}, {"point": [2, 2, 0]}, {"cancel": true}])",
       {{"B2", 3.0}, {"C2", 4.0}, {"D2", 5.0}}, "B3", "B3", 4, false, nullptr},
      {"area", 3, L"PlotmateAREA", false, R"([{"point": [1, 1, 0]}])", {{"B2", 100.0}}, "C2", "B3", 1,
       false, nullptr},
      {"area-esc", 3, L"PlotmateAREA", false, R"([{"cancel": true}])", {}, "B2", "B2", 1, false, nullptr},
  };
  for (const auto& t : tools) {
    // A closed 10 by 10 square for the area tool, whose pick lands inside it.
    Json drawing = Json::parse(R"({"drawing": {"entities": [{"type": "lwpolyline", "handle": "1A",
        "closed": true, "points": [[0, 0], [10, 0], [10, 10], [0, 10]]}]}})");
    drawing["picks"] = Json::parse(t.picks);
    load(kAcadProgId, drawing);
    load(kExcelProgId, Json::parse(R"({"sheet": {"active": "B2"}})"));
    Settings settings = withCrossings();
    settings.X = settings.Y = settings.DX = settings.DY = settings.DI = settings.WriteToExcel = 1;
    settings.T = t.withText ? 1 : 0;
    HostWindows hosts;
    reportWindow(kAcadProgId, hosts.drawing.get());
    reportWindow(kExcelProgId, hosts.sheet.get());
    RunningProgram program(std::string("pick-run-") + t.name, settings);
    HWND window = openTool(program, t.entry, t.className);
    ASSERT_TRUE(window) << t.name;
    click(GetDlgItem(window, 101));
    if (t.message) {
      const auto shown = answerMessageBox(program.pid());
      EXPECT_EQ(shown ? shown->title + L": " + shown->text : L"(none)", t.message) << t.name;
    }
    const auto prompts = [&] { return state(kAcadProgId)["drawing"].value("prompts", Json::array()); };
    pollUntil([&] { return prompts().size() >= t.prompts && GetForegroundWindow() == window; }, 10s);
    EXPECT_EQ(prompts().size(), t.prompts) << t.name << " " << prompts().dump();
    EXPECT_EQ(GetForegroundWindow(), window) << t.name << ": the tool window comes back";
    EXPECT_TRUE(hosts.wasActivated(hosts.drawing)) << t.name;
    EXPECT_EQ(hosts.wasActivated(hosts.sheet), t.sheetActivated) << t.name;
    const Json sheet = state(kExcelProgId)["sheet"];
    for (const auto& [cell, value] : t.cells)
      EXPECT_EQ(sheet["cells"].value(cell, Json()), value) << t.name << " " << sheet.dump();
    EXPECT_FALSE(sheet["cells"].contains(t.untouched)) << t.name;
    EXPECT_EQ(sheet.value("active", ""), t.active) << t.name;
    EXPECT_FALSE(answerMessageBox(program.pid(), 200ms)) << t.name;
  }
}

// A drawing host busy with a command or a dialog of its own turns the run's
// calls away and the run waits on it: meanwhile the tool window paints, and
// a click on its button starts no second run.
TEST_F(StandIns, PickRunWaitingOnABusyDrawingPaintsAndStartsNoSecondRun) {
  load(kAcadProgId,
       Json::parse(R"({"drawing": {"entities": []}, "picks": [{"point": [1, 2, 0]}, {"cancel": true}]})"));
  load(kExcelProgId, Json::parse(R"({"sheet": {"active": "B2"}})"));
  Settings settings = withCrossings();
  settings.X = settings.Y = 1;
  RunningProgram program("pick-busy", settings);
  HWND window = openTool(program, 5, L"PlotmateID");
  ASSERT_TRUE(window);
  auto acad = broker_.findRunning(kAcadProgId);
  ASSERT_TRUE(acad);
  ASSERT_TRUE((*acad)->call("SimRejectNextCalls", {std::int32_t{-1}}));
  HWND button = GetDlgItem(window, 101);
  click(button);
  const auto rejected = [&] {
    auto count = (*acad)->call("SimRejectedCalls");
    return count && count->getIf<std::int32_t>() ? *count->getIf<std::int32_t>() : 0;
  };
  ASSERT_TRUE(pollUntil([&] { return rejected() > 0; }, 5s)) << "the run waits on the busy host";
  InvalidateRect(window, nullptr, TRUE);
  const bool painted = pollUntil([&] { return !GetUpdateRect(window, nullptr, FALSE); }, 2s);
  // The drafter's click, as the mouse makes it (a posted BM_CLICK is no input).
  postClick(button, {10, 10});
  pumpFor(300ms);
  EXPECT_TRUE(painted) << "the window paints while the run waits";
  ASSERT_TRUE((*acad)->call("SimRejectNextCalls", {std::int32_t{0}}));
  // The run ends at the cancelled pick; a second run would ask again.
  waitForState(kAcadProgId, [](const Json& s) {
    return s.contains("drawing") && s["drawing"].value("prompts", Json::array()).size() >= 2;
  });
  pumpFor(500ms);
  const Json prompts = state(kAcadProgId)["drawing"]["prompts"];
  EXPECT_EQ(prompts.size(), 2u) << "one run only: " << prompts.dump();
  EXPECT_EQ(state(kExcelProgId)["sheet"]["cells"].value("C2", Json()), 2.0);
  EXPECT_FALSE(answerMessageBox(program.pid(), 200ms));
}

// "Draw" clicked while the command box has the focus: the box's template
// applies first, so the run sends what the template set up.
TEST_F(StandIns, RepeaterAppliesTheTemplateBeforeDrawRuns) {
  load(kAcadProgId, Json::parse(R"({"drawing": {"entities": []}})"));
  load(kExcelProgId, Json::parse(R"({"sheet": {"cells": {"A1": 1}, "selection": "A1"}})"));
  RunningProgram program("repeater-draw", withCrossings());
  HWND window = openTool(program, 2, L"PlotmateSCR");
  ASSERT_TRUE(window);
  // A radius typed before the command: the template clears it, so only a
  // run after the template sends the bare command.
  typeText(GetDlgItem(window, 202), L"9");
  HWND combo = GetDlgItem(window, 101);
  focus(combo);
  SetWindowTextW(combo, L"circle");
  click(GetDlgItem(window, 107));
  const Json drawing = waitForState(kAcadProgId, [](const Json& s) {
    return s.contains("drawing") && !s["drawing"].value("commandsSent", Json::array()).empty();
  })["drawing"];
  EXPECT_EQ(drawing.value("commandsSent", Json()), Json::parse(R"(["circle\r"])")) << drawing.dump();
  EXPECT_EQ(textOf(GetDlgItem(window, 260)), L"圆心X");
  EXPECT_EQ(textOf(GetDlgItem(window, 202)), L"") << "the radius typed before is cleared";
}

// A visible stand-in of the test's own, with its window, attached once it answers.
struct VisibleStandIn {
  VisibleStandIn(const wchar_t* exe, const char* progId, const char* clsid, const wchar_t* windowClass)
      : process(sim::besideThisProgram(std::wstring(L"..\\..\\sim\\apps\\") + exe), progId, clsid,
                L"--visible") {
    if (auto host = sim::attachWhenUp(broker, progId, 30s)) application = *host;
    window = findWindow(process.processId(), windowClass, nullptr, 10000ms);
  }

  com::ComHostBroker broker;
  sim::ServerProcess process;
  DispatchPtr application;
  HWND window = nullptr;
};

// With no pick queued, the drawing stand-in's picks wait for the mouse; the
// call comes from another thread while this one plays the user.
TEST_F(StandIns, VisibleDrawingAnswersPicksWithTheMouse) {
  VisibleStandIn acad(L"acadsim.exe", "Plotmate.VisibleDrawing", "{6F1C2B7E-3C55-4B59-9D0A-51A1E2C4D801}",
                      L"PlotmateStandInDrawing");
  ASSERT_TRUE(acad.application && acad.window);
  ASSERT_TRUE(acad.application->call("SimLoadState", {std::string(R"({"drawing": {"entities": [
      {"type": "line", "start": [0, 0], "end": [100, 50]},
      {"type": "line", "handle": "2A", "start": [50, 0], "end": [50, 50]}]}})")}));
  HWND view = FindWindowExW(acad.window, nullptr, L"PlotmateStandInDrawingView", nullptr);
  HWND strip = FindWindowExW(acad.window, nullptr, L"EDIT", nullptr);
  ASSERT_TRUE(view && strip);
  const SIZE size = clientSizeOf(view);
  const POINT centre{size.cx / 2, size.cy / 2};  // the extents' centre (50, 25)
  const struct {
    const char* method;
    UINT message;  // a click, or a key
    std::string answer;
  } cases[] = {
      {"GetPoint", WM_LBUTTONUP, "point 50,25"},
      {"GetPoint", WM_KEYDOWN, "cancelled"},
      {"GetEntity", WM_LBUTTONUP, "entity 2A"},
  };
  for (const auto& c : cases) {
    const std::string prompt = std::string("Pick for ") + c.method + ":";
    std::string answer;
    std::atomic<bool> answered = false;
    std::thread caller([&] {
      com::ComApartment apartment;
      com::ComHostBroker broker;
      auto app = broker.findRunning("Plotmate.VisibleDrawing");
      if (!app) return;
      auto document = asObject((*app)->get("ActiveDocument").value_or(Variant()));
      auto utility = AcadDocument(document).utility();
      if (!utility) return;
      if (std::string_view(c.method) == "GetPoint") {
        auto p = utility->getPoint(std::nullopt, prompt);
        answer = p ? "point " + std::to_string(std::lround((*p)[0])) + "," + std::to_string(std::lround((*p)[1])) : "cancelled";
      } else {
        auto pick = utility->getEntity(prompt);
        answer = pick ? "entity " + pick->entity.handle().value_or("?") : "cancelled";
      }
      answered = true;
    });
    // The prompt in the command strip says the host waits for the user.
    EXPECT_TRUE(pollUntil([&] { return textOf(strip).ends_with(fromUtf8(prompt)); }, 10s)) << c.method;
    if (c.message == WM_KEYDOWN)
      PostMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0);
    else
      postClick(view, centre);
    pollUntil([&] { return answered.load(); }, 10s);
    if (!answered) PostMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0);  // never leave the caller waiting
    caller.join();
    EXPECT_EQ(answer, c.answer) << c.method;
  }
}

TEST_F(StandIns, VisibleSheetSelectsWithTheMouseAndTakesTypedInput) {
  VisibleStandIn excel(L"excelsim.exe", "Plotmate.VisibleSheet", "{0B7D53A2-8E41-4C1F-A6B4-2D9F1E6C7A35}",
                       L"PlotmateStandInSheet");
  ASSERT_TRUE(excel.application && excel.window);
  const sim::GridLayout grid;
  auto at = [&](const char* cell) {  // a mouse message's position: the cell's centre
    const sim::PixelRect r = grid.cellRect(*sim::parseCellText(cell));
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  };
  struct Input {
    UINT message;
    const char* cell;  // mouse messages
    WPARAM w;          // the keys held, or the character or key
  };
  const struct {
    const char* name;
    std::vector<Input> inputs;
    const char* selection;
    const char* active;
    std::pair<const char*, Json> cell;
  } cases[] = {
      {"click", {{WM_LBUTTONDOWN, "C3", MK_LBUTTON}, {WM_LBUTTONUP, "C3", 0}}, "C3", "C3", {"C3", "kept"}},
      {"shift-click",
       {{WM_LBUTTONDOWN, "B2", MK_LBUTTON}, {WM_LBUTTONUP, "B2", 0},
        {WM_LBUTTONDOWN, "D4", MK_LBUTTON | MK_SHIFT}, {WM_LBUTTONUP, "D4", MK_SHIFT}},
       "B2:D4", "B2", {"C3", "kept"}},
      {"drag up and left",
       {{WM_LBUTTONDOWN, "D4", MK_LBUTTON}, {WM_MOUSEMOVE, "C3", MK_LBUTTON}, {WM_MOUSEMOVE, "B2", MK_LBUTTON},
        {WM_LBUTTONUP, "B2", 0}},
       "B2:D4", "D4", {"C3", "kept"}},
      {"typing",
       {{WM_LBUTTONDOWN, "C3", MK_LBUTTON}, {WM_LBUTTONUP, "C3", 0}, {WM_CHAR, nullptr, '1'},
        {WM_CHAR, nullptr, '2'}, {WM_CHAR, nullptr, '.'}, {WM_CHAR, nullptr, '5'}, {WM_KEYDOWN, nullptr, VK_RETURN}},
       "C4", "C4", {"C3", 12.5}},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(excel.application->call(
        "SimLoadState", {std::string(R"({"sheet": {"cells": {"C3": "kept"}, "active": "A1"}})")}));
    for (const Input& input : c.inputs)
      PostMessageW(excel.window, input.message, input.w, input.cell ? at(input.cell) : 0);
    settle(excel.window);
    const Json sheet = stateOf(excel.application)["sheet"];
    EXPECT_EQ(sheet.value("selection", ""), c.selection) << c.name;
    EXPECT_EQ(sheet.value("active", ""), c.active) << c.name;
    EXPECT_EQ(sheet["cells"].value(c.cell.first, Json()), c.cell.second) << c.name;
  }
}

}  // namespace
}  // namespace plotmate::uitest
