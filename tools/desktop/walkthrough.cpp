// plotmate_walkthrough.exe: the demo's walkthrough. Plays Plotmate's tools
// through its own windows, with the same driver as the window tests, against
// the visible stand-ins that scripts/demo started on examples/demo/, and
// after each step prints what changed (the written cells as a small grid,
// the new or changed entities one per line) and saves a screenshot of the
// desktop as SCREENSHOT_FOLDER/N-STEP.bmp.
//
//   plotmate_walkthrough SCREENSHOT_FOLDER [--keep]
//
// --keep leaves plotmate.exe running at the end, for a person to carry on.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "hosts/com/apartment.h"
#include "hosts/com/com_broker.h"
#include "sim/apps/attach_wait.h"
#include "sim/sheet/sheet_area.h"
#include "tools/desktop/desktop_driver.h"

namespace plotmate::desktop {
namespace {

using Json = nlohmann::json;

struct Hosts {
  DispatchPtr acad, excel;
};

Json stateOf(const DispatchPtr& host) {
  auto text = host->call("SimState");
  return text && text->getIf<std::string>() ? Json::parse(*text->getIf<std::string>()) : Json::object();
}

Json both(const Hosts& hosts) { return {{"acad", stateOf(hosts.acad)}, {"excel", stateOf(hosts.excel)}}; }

// Waits until neither host has received a call for a second (the tool's run
// is over), answering and returning a message box Plotmate shows meanwhile.
Json afterTheRun(const Hosts& hosts, DWORD pid, std::wstring& message) {
  Json last = both(hosts);
  int quiet = 0;
  for (int i = 0; i < 240 && quiet < 4; ++i) {
    pumpFor(250ms);
    if (auto box = answerMessageBox(pid, 0ms)) message += box->title + L": " + box->text + L"\n";
    Json now = both(hosts);
    quiet = now == last ? quiet + 1 : 0;
    last = std::move(now);
  }
  return last;
}

std::string shown(const Json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number()) {
    std::ostringstream out;
    out.precision(10);
    out << value.get<double>();
    return out.str();
  }
  return value.dump();
}

// A printed column's width, in terminal columns.
constexpr int kColumnWidth = 14;

// The text cut and padded to `columns` terminal columns: Chinese characters
// take two, and a character is never cut in half.
std::string fitted(const std::string& text, int columns) {
  std::wstring wide = fromUtf8(text);
  std::wstring out;
  int used = 0;
  for (wchar_t c : wide) {
    const int width = c >= 0x1100 ? 2 : 1;
    if (used + width > columns - 1) {
      out += L'~';
      ++used;
      break;
    }
    out += c;
    used += width;
  }
  return toUtf8(out) + std::string(static_cast<std::size_t>(std::max(0, columns + 1 - used)), ' ');
}

// The cells a step wrote or changed, as a grid with row and column headers.
void printCells(const Json& before, const Json& after) {
  std::map<sim::CellRef, std::string> changed;
  const Json now = after.value("cells", Json::object()), was = before.value("cells", Json::object());
  for (auto& [name, value] : now.items())
    if (was.value(name, Json()) != value)
      if (auto cell = sim::parseCellText(name)) changed[*cell] = shown(value);
  if (changed.empty()) return;
  sim::Area area = sim::Area::cell(changed.begin()->first);
  for (const auto& [cell, text] : changed) area = sim::Area::spanning(area, sim::Area::cell(cell));
  auto printRow = [](std::string row) {
    row.erase(row.find_last_not_of(' ') + 1);
    std::printf("%s\n", row.c_str());
  };
  std::printf("  cells written:\n");
  std::string header = "      ";
  for (int c = area.first.column; c <= area.last.column; ++c) header += fitted(sim::columnLetters(c), kColumnWidth);
  printRow(header);
  for (int r = area.first.row; r <= area.last.row; ++r) {
    char number[16];
    std::snprintf(number, sizeof number, "  %3d ", r);
    std::string row = number;
    for (int c = area.first.column; c <= area.last.column; ++c) {
      auto it = changed.find({r, c});
      row += fitted(it == changed.end() ? "" : it->second, kColumnWidth);
    }
    printRow(row);
  }
}

std::string pointText(const Json& p) {
  std::string out = "(";
  for (std::size_t i = 0; i < p.size() && i < 2; ++i) out += (i ? "," : "") + shown(p[i]);
  return out + ")";
}

// One entity in a line: its kind, handle and what places it.
std::string entityLine(const Json& e) {
  std::string line = e.value("type", "?") + " " + e.value("handle", "");
  if (e.contains("text")) line += " \"" + e["text"].get<std::string>() + "\"";
  if (e.contains("position")) line += " at " + pointText(e["position"]);
  if (e.contains("start")) line += " from " + pointText(e["start"]) + " to " + pointText(e["end"]);
  if (e.contains("center")) line += " centre " + pointText(e["center"]) + " radius " + shown(e["radius"]);
  if (e.contains("points")) {
    line += " " + std::to_string(e["points"].size()) + " vertices";
    for (std::size_t i = 0; i < e["points"].size() && i < 4; ++i) line += " " + pointText(e["points"][i]);
    if (e["points"].size() > 4) line += " ...";
  }
  if (e.contains("loops")) line += " " + std::to_string(e["loops"].size()) + " loops";
  return line;
}

void printEntities(const Json& before, const Json& after) {
  std::map<std::string, Json> old;
  for (const auto& e : before.value("entities", Json::array())) old[e.value("handle", "")] = e;
  for (const auto& e : after.value("entities", Json::array())) {
    auto it = old.find(e.value("handle", ""));
    if (it == old.end()) std::printf("  new:     %s\n", entityLine(e).c_str());
    else if (it->second != e) std::printf("  changed: %s\n", entityLine(e).c_str());
  }
}

struct Walk {
  Hosts hosts;
  RunningProgram& program;
  std::filesystem::path pictures;
  int step = 0;

  void select(const char* cells) {
    auto range = hosts.excel->get("Range", {std::string(cells)});
    if (range && asObject(*range)) (void)asObject(*range)->call("Select");
  }
  void queuePicks(const char* picks) { (void)hosts.acad->call("SimQueuePicks", {std::string(picks)}); }

  // Runs one step: `act` clicks through Plotmate's windows; what changed is printed.
  void run(const std::string& title, const char* picture, const std::function<void()>& act) {
    ++step;
    std::printf("\n== %d. %s\n", step, title.c_str());
    const Json before = both(hosts);
    act();
    std::wstring message;
    const Json after = afterTheRun(hosts, program.pid(), message);
    printCells(before["excel"].value("sheet", Json::object()), after["excel"].value("sheet", Json::object()));
    printEntities(before["acad"].value("drawing", Json::object()), after["acad"].value("drawing", Json::object()));
    const auto prompts = after["acad"].value("drawing", Json::object()).value("prompts", Json::array());
    for (std::size_t i = before["acad"].value("drawing", Json::object()).value("prompts", Json::array()).size();
         i < prompts.size(); ++i)
      std::printf("  picked:  %s\n", prompts[i].get<std::string>().c_str());
    if (!message.empty()) std::printf("  Plotmate says: %s", toUtf8(message).c_str());
    const auto file = pictures / (std::to_string(step) + "-" + picture + ".bmp");
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    screenshot(screen, file);
  }

  // Opens a tool window from the main window's menu, below the main window,
  // where the last step's tool window was: that one is closed first.
  HWND toolWindow(int menuDowns, const wchar_t* className) {
    if (lastTool) {
      closeWindow(lastTool);
      waitUntilGone(lastTool);
    }
    chooseMenuEntry(program, menuDowns);
    lastTool = findWindow(program.pid(), className);
    RECT main;
    GetWindowRect(program.mainWindow(), &main);
    SetWindowPos(lastTool, nullptr, main.left, main.bottom + 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    settle(lastTool);
    return lastTool;
  }
  HWND lastTool = nullptr;
};

Settings demoSettings() {
  Settings s;
  s.PREC = 3;
  s.InterCoord = 1;
  s.X = s.Y = 1;
  s.DI = 1;
  s.WriteToExcel = 1;
  s.ReadDirec = -1;
  return s;
}

// Every tool once, through Plotmate's windows, on the demo's drawing and sheet.
void playEveryTool(Walk& w, HWND main) {
  w.run("->Excel: the road centreline's vertices and the culverts crossing it, from A8", "to-excel", [&] {
    w.select("A8");
    w.queuePicks(R"([{"entity": "A0"}])");
    click(GetDlgItem(main, 101));
  });
  w.run("->Acad: the vertex rows drawn back as a polyline", "to-acad", [&] {
    w.select("A10:B13");
    click(GetDlgItem(main, 102));
  });
  w.run("ID: two points picked into the sheet, then Esc", "point", [&] {
    HWND id = w.toolWindow(5, L"PlotmateID");
    w.select("K8");
    w.queuePicks(R"([{"point": [150, 20, 0]}, {"point": [375, 32, 0]}, {"cancel": true}])");
    click(GetDlgItem(id, 101));
  });
  w.run("DIST: K0+000 to K0+330, the distance also written into the text \"L=?\"", "distance", [&] {
    click(GetDlgItem(main, 104));  // MO: update texts
    typeText(GetDlgItem(main, 106), L"L=");
    HWND dist = w.toolWindow(4, L"PlotmateDIST");
    w.select("K12");
    w.queuePicks(R"([{"point": [0, 0, 0]}, {"point": [300, 60, 0]}, {"selection": ["C0"]}, {"cancel": true}])");
    click(GetDlgItem(dist, 101));
  });
  w.run("AREA: the parcel around a picked point, less its pond", "area", [&] {
    HWND area = w.toolWindow(3, L"PlotmateAREA");
    if (!isChecked(GetDlgItem(area, 102))) click(GetDlgItem(area, 102));
    w.select("K14");
    w.queuePicks(R"([{"point": [340, 10, 0]}])");
    click(GetDlgItem(area, 101));
  });
  w.run("SCR: the repeater's ZhanDian template on the station rows A2:C5", "repeater", [&] {
    HWND scr = w.toolWindow(2, L"PlotmateSCR");
    w.select("A2:C5");
    HWND combo = GetDlgItem(scr, 101);
    focus(combo);
    SetWindowTextW(combo, L"ZhanDian");
    focus(GetDlgItem(scr, 201));  // leaving the box applies the template
    typeText(GetDlgItem(scr, 201), L"4");
    click(GetDlgItem(scr, 107));
  });
  w.run("EXCEL: the block E2:G3 as one column below it, row by row", "block-column", [&] {
    HWND block = w.toolWindow(6, L"PlotmateEXCEL");
    w.select("E2:G3");
    click(GetDlgItem(block, 103));
  });
  w.run("CONV: 5 feet 6 1/2 inches in millimetres", "feet-inch", [&] {
    HWND conv = w.toolWindow(7, L"PlotmateCONV");
    typeText(GetDlgItem(conv, 101), L"5.6 1/2");
    std::printf("  typed \"5.6 1/2\": %s\n", toUtf8(textOf(GetDlgItem(conv, 103))).c_str());
  });
}

int walk(const std::filesystem::path& pictures, bool keep) {
  com::ComApartment apartment;
  com::ComHostBroker broker;
  auto acad = sim::attachWhenUp(broker, "AutoCAD.Application", 30s);
  auto excel = sim::attachWhenUp(broker, "Excel.Application", 30s);
  if (!acad || !excel) {
    std::fprintf(stderr, "the stand-ins do not answer\n");
    return 1;
  }
  RunningProgram program("demo", demoSettings());
  if (!program.mainWindow()) {
    std::fprintf(stderr, "plotmate.exe did not start\n");
    return 1;
  }
  Walk w{{*acad, *excel}, program, pictures};
  playEveryTool(w, program.mainWindow());
  if (keep) program.keepRunning();
  return 0;
}

}  // namespace
}  // namespace plotmate::desktop

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: plotmate_walkthrough SCREENSHOT_FOLDER [--keep]\n");
    return 2;
  }
  const bool keep = argc > 2 && std::string(argv[2]) == "--keep";
  return plotmate::desktop::walk(argv[1], keep);
}
