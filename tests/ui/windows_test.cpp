// The program's windows driven from outside, as a drafter's clicks reach them.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <map>
#include <span>

#include "shell/twips.h"
#include "tests/ui/ui_steps.h"
#include "tools/desktop/desktop_driver.h"
#include "win32/owned_handles.h"

namespace plotmate::uitest {
namespace {

constexpr const wchar_t* kMain = L"PlotmateMain";
constexpr const wchar_t* kSettings = L"PlotmateSET";

// The main window's and the settings window's controls by id, in twips.
struct TwipControl {
  int id;
  std::array<int, 4> rect;  // left, top, width, height
  const wchar_t* caption;
  const wchar_t* tooltip;  // nullptr: none
};

const TwipControl kMainControls[] = {
    {101, {120, 120, 810, 495}, L"->Excel", L"提取多义线顶点坐标并写入Excel"},
    {102, {1212, 120, 750, 495}, L"->Acad", L"据Excel中坐标点画多义线"},
    {103, {972, 168, 165, 195}, L"Check1", L"提取与所选PLine相交的直线的起终点及交点坐标"},
    {104, {375, 1350, 570, 300}, L"MO", nullptr},
    {105, {1050, 1380, 300, 255}, L"Pref", nullptr},
    {106, {1425, 1350, 375, 270}, L"", nullptr},
    {107, {1815, 1380, 255, 255}, L"Suf", nullptr},
    {108, {2100, 1350, 375, 270}, L"", nullptr},
};

const TwipControl kSettingsControls[] = {
    {101, {120, 120, 2052, 192}, L"精度(保留小数点后位数)", nullptr},
    {102, {2160, 120, 312, 270}, L"3", L"精度"},
    {103, {120, 480, 1812, 252}, L"是否使用工程坐标系", nullptr},
    {104, {2040, 480, 732, 180}, L"YOX", nullptr},
};

const TwipControl kConverterControls[] = {
    {101, {50, 50, 975, 390}, L"英尺.寸", L"英寸到毫米的转换，\"尺\"与\"寸\"之间用小数点隔开"},
    {102, {1080, 50, 732, 252}, L"in->", nullptr},
    {103, {1680, 50, 975, 390}, L"毫米", nullptr},
    {104, {2760, 50, 372, 252}, L"mm", nullptr},
};

const TwipControl kBlockControls[] = {
    {101, {0, 0, 855, 255}, L"row→", L"按先行后列的方式读取"},
    {102, {0, 240, 855, 255}, L"col↓", L"按先列后行的方式读取"},
    {103, {960, 0, 735, 495}, L"Block2Column", nullptr},
};

const TwipControl kPointControls[] = {
    {101, {1545, 15, 615, 495}, L"PikPt", L"提取点的坐标信息"},
    {102, {0, 0, 390, 225}, L"X", nullptr},
    {103, {375, 0, 390, 225}, L"Y", nullptr},
    {104, {750, 0, 390, 225}, L"Z", nullptr},
    {105, {1125, 15, 255, 255}, L"Check1", nullptr},
    {106, {1320, 0, 252, 252}, L" T", nullptr},
};

const TwipControl kDistanceControls[] = {
    {101, {1080, 15, 615, 495}, L"Dist", L"量距"},
    {102, {600, 50, 552, 255}, L"DI", L"距离"},
    {103, {50, 270, 525, 255}, L"DY", nullptr},
    {104, {50, 50, 525, 255}, L"DX", L"△X"},
};

const TwipControl kAreaControls[] = {
    {101, {0, 0, 675, 495}, L"AREA", nullptr},
    {102, {720, 120, 255, 180}, L"Check1", nullptr},
    {103, {960, 120, 972, 252}, L"写入EXCEL", nullptr},
};

// Every window: the menu entry that opens it (places down; 0: the main
// window), its class, caption, client size in twips and controls.
struct WindowLayout {
  const char* name;  // of its screenshots
  int entry;
  const wchar_t* className;
  const wchar_t* caption;
  int width, height;
  std::span<const TwipControl> controls;
};

const WindowLayout kLayouts[] = {
    {"main", 0, kMain, L"PLOTMATE   2012.07.04", 2064, 672, kMainControls},
    {"settings", 8, kSettings, L"SET", 2760, 804, kSettingsControls},
    {"converter", 7, L"PlotmateCONV", L"CONV", 3108, 480, kConverterControls},
    {"block-column", 6, L"PlotmateEXCEL", L"EXCEL", 1716, 540, kBlockControls},
    {"point", 5, L"PlotmateID", L"ID", 2208, 528, kPointControls},
    {"distance", 4, L"PlotmateDIST", L"DIST", 1740, 552, kDistanceControls},
    {"area", 3, L"PlotmateAREA", L"AREA", 1968, 516, kAreaControls},
    {"repeater", 2, L"PlotmateSCR", L"SCR", 4872, 3240, {}},
};

const WindowLayout& layoutNamed(std::string_view name) {
  return *std::find_if(std::begin(kLayouts), std::end(kLayouts), [&](auto& w) { return w.name == name; });
}

// The window as the drafter opens it: from the menu, or the main window itself.
HWND openWindow(const RunningProgram& program, const WindowLayout& w) {
  return w.entry ? openTool(program, w.entry, w.className) : program.mainWindow();
}

std::filesystem::path screenshots() { return driverFolder() / "screenshots"; }

void setScreenDpi(DWORD dpi) {  // the key is created when missing
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

void expectLayout(HWND window, int dpi, const WindowLayout& w, DWORD pid) {
  const auto px = [dpi](int twips) -> LONG { return TwipsToPixels(twips, dpi); };
  const SIZE client = clientSizeOf(window);
  EXPECT_EQ((std::array{client.cx, client.cy}), (std::array{px(w.width), px(w.height)}));
  std::map<int, std::wstring> tips;
  for (auto& [id, text] : tooltipsOf(pid, window)) tips[id] = text;
  for (const auto& c : w.controls) {
    HWND control = GetDlgItem(window, c.id);
    ASSERT_TRUE(control) << c.id;
    const RECT r = clientRectOf(control);  // left, top, width, height as in the table
    EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, r.bottom - r.top}),
              (std::array{px(c.rect[0]), px(c.rect[1]), px(c.rect[2]), px(c.rect[3])}))
        << c.id << " at " << dpi;
    EXPECT_EQ(textOf(control), c.caption) << c.id;
    EXPECT_EQ(tips.contains(c.id) ? tips[c.id] : L"", c.tooltip ? c.tooltip : L"") << c.id;
  }
}

// The mouse resting on a control shows its tooltip, Chinese text legible
// (the screenshot shows the window with the tooltip beside it).
void expectTooltipOnHover(const RunningProgram& program, int id) {
  HWND control = GetDlgItem(program.mainWindow(), id);
  RECT area;
  GetWindowRect(control, &area);
  SetForegroundWindow(program.mainWindow());
  SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
  HWND tip = nullptr;
  pollUntil([&] {
    for (HWND t : windowsOf(program.pid(), TOOLTIPS_CLASSW))
      if (!textOf(t).empty()) tip = t;
    return tip != nullptr;
  }, 4000ms);
  ASSERT_TRUE(tip) << "no tooltip shown over control " << id;
  EXPECT_EQ(textOf(tip), L"据Excel中坐标点画多义线");
  RECT tipArea, mainArea;
  GetWindowRect(tip, &tipArea);
  GetWindowRect(program.mainWindow(), &mainArea);
  UnionRect(&area, &tipArea, &mainArea);
  screenshot(area, screenshots() / "main-tooltip.bmp");
  SetCursorPos(0, 0);
}

Settings placedAt(std::int16_t top, std::int16_t left) {
  Settings settings;
  settings.PREC = 3;
  settings.TOP = top;
  settings.LEFT = left;
  return settings;
}

// Closes `tool` (when given) and then the main window (`main`, when the
// program did not know it at start), and returns what the program stored.
Settings closeAndRead(const RunningProgram& program, HWND tool = nullptr, HWND main = nullptr) {
  if (tool) {
    closeWindow(tool);
    EXPECT_TRUE(waitUntilGone(tool)) << "the tool window closes";
  }
  closeWindow(main ? main : program.mainWindow());
  EXPECT_TRUE(program.exited(5000ms)) << "the last window closed ends the program";
  const auto saved = program.savedSettings();
  EXPECT_TRUE(saved) << "no config written";
  return saved.value_or(Settings{});
}

std::pair<LONG, LONG> topLeftOf(HWND window) {
  RECT area;
  GetWindowRect(window, &area);
  return {area.top, area.left};
}

// Each window opens on top of the ones before it, where its screenshot is taken.
TEST(Windows, ControlsAreTheirTwipsScaledAt96And144Dpi) {
  for (int dpi : {96, 144}) {
    setScreenDpi(static_cast<DWORD>(dpi));
    RunningProgram program("layout" + std::to_string(dpi), placedAt(600, 600));
    ASSERT_TRUE(program.mainWindow());
    EXPECT_EQ(GetMenu(program.mainWindow()), nullptr) << "no menu bar";
    for (const auto& w : kLayouts) {
      HWND window = openWindow(program, w);
      ASSERT_TRUE(window) << w.name;
      EXPECT_EQ(textOf(window), w.caption);
      expectLayout(window, dpi, w, program.pid());
      screenshot(window, screenshots() / (std::string(w.name) + "-" + std::to_string(dpi) + ".bmp"));
      if (!w.entry && dpi == 96) expectTooltipOnHover(program, 102);
    }
  }
  setScreenDpi(96);
}

// WM_DPICHANGED as Windows sends it when a window moves to a monitor of
// another DPI, the suggested rectangle in memory the window's process can
// read: placed at one address in both processes, so it reads the same
// whether or not the message's rectangle is carried across.
void sendDpiChange(DWORD pid, HWND window, int dpi, const RECT& suggested) {
  win32::OwnedHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid));
  ASSERT_TRUE(process);
  auto reserved = win32::allocateIn(process.get(), sizeof suggested);
  void* remote = reserved.get().address;
  ASSERT_TRUE(remote);
  WriteProcessMemory(process.get(), remote, &suggested, sizeof suggested, nullptr);
  win32::OwnedVirtualMemory local(VirtualAlloc(remote, sizeof suggested, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  if (local.get() == remote) *static_cast<RECT*>(local.get()) = suggested;
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote),
                      SMTO_BLOCK, 5000, &answer);
}

// Moved to a 144-DPI monitor (Wine never sends this; Windows does), a window
// started at 96 lays itself out as a start at 144 would, where suggested.
TEST(Windows, ADpiChangeLaysTheWindowOutAsAStartAtThatDpi) {
  RunningProgram program("dpichange", placedAt(600, 600));
  ASSERT_TRUE(program.mainWindow());
  HWND window = nullptr;
  for (const char* name : {"main", "distance"}) {
    const WindowLayout& w = layoutNamed(name);
    window = openWindow(program, w);
    ASSERT_TRUE(window) << name;
    RECT suggested;
    GetWindowRect(window, &suggested);
    OffsetRect(&suggested, 30, 20);
    sendDpiChange(program.pid(), window, 144, suggested);
    settle(window);
    expectLayout(window, 144, w, program.pid());
    RECT now;
    GetWindowRect(window, &now);
    EXPECT_EQ((std::pair(now.left, now.top)), (std::pair(suggested.left, suggested.top))) << name;
  }
  closeAndRead(program, window);
}

TEST(Windows, StartsAtTheStoredPlaceAndStoresWhereItWasMoved) {
  RunningProgram program("position", placedAt(1500, 3000));
  ASSERT_TRUE(program.mainWindow());
  EXPECT_EQ(topLeftOf(program.mainWindow()), std::pair(100L, 200L));
  SetWindowPos(program.mainWindow(), nullptr, 250, 151, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  HWND settings = openTool(program, 8, kSettings);
  ASSERT_TRUE(settings);
  EXPECT_EQ(topLeftOf(settings), std::pair(100L, 200L)) << "tool windows open where the main window started";
  closeWindow(program.mainWindow());
  ASSERT_TRUE(waitUntilGone(program.mainWindow()));
  EXPECT_FALSE(program.exited(300ms)) << "the settings window keeps the program running";
  const auto saved = program.savedSettings().value_or(Settings{});  // 15 twips a pixel
  EXPECT_EQ((std::pair<int, int>(saved.TOP, saved.LEFT)), std::pair(2265, 3750));
  const auto bytes = program.file("config");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::count(bytes->begin(), bytes->end(), '\n'), 33);
  closeWindow(settings);
  EXPECT_TRUE(program.exited(5000ms)) << "the last window closed ends the program";
}

TEST(Windows, PositionOffTheDesktopComesBackOnIt) {
  // -32768 twips is the far end of what "config" can hold; a monitor that
  // was there may be gone.
  RunningProgram program("offscreen", placedAt(-32768, -32768));
  ASSERT_TRUE(program.mainWindow());
  const auto [top, left] = topLeftOf(program.mainWindow());
  EXPECT_GE(left, 0);
  EXPECT_GE(top, 0);
}

TEST(Windows, MenuOnRightClickOfTheSurfaceOnly) {
  RunningProgram program("menu", placedAt(600, 600));
  HWND main = program.mainWindow();
  ASSERT_TRUE(main);
  // Left and middle clicks on the surface open nothing; a right click on a
  // button is the button's: no menu either.
  const struct { HWND window; UINT down; WPARAM keys; POINT at; } noMenu[] = {
      {main, WM_LBUTTONDOWN, MK_LBUTTON, {5, 60}},
      {main, WM_MBUTTONDOWN, MK_MBUTTON, {5, 60}},
      {GetDlgItem(main, 101), WM_RBUTTONDOWN, MK_RBUTTON, {5, 5}},
  };
  for (const auto& c : noMenu) {
    postClick(c.window, c.at, c.down, c.keys);
    settle(main);
    EXPECT_EQ(findWindow(program.pid(), L"#32768", nullptr, 300ms), nullptr) << c.down;
  }

  // A right click on the surface opens the menu where the mouse is; Esc closes it.
  postClick(main, {5, 60}, WM_RBUTTONDOWN, MK_RBUTTON);
  HWND menu = findWindow(program.pid(), L"#32768");
  ASSERT_TRUE(menu);
  RECT menuArea, mainArea, both;
  GetWindowRect(menu, &menuArea);
  GetWindowRect(main, &mainArea);
  POINT at{5, 60};
  ClientToScreen(main, &at);
  EXPECT_EQ(menuArea.left, at.x) << "left edge at the mouse";
  UnionRect(&both, &menuArea, &mainArea);
  screenshot(both, screenshots() / "main-menu.bmp");
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(waitUntilGone(menu));

  // The first entry (PLINE) opens nothing; the others each open their window
  // once (the repeater's, last in kLayouts, chosen twice).
  ASSERT_TRUE(chooseMenuEntry(program, 1));
  EXPECT_EQ(windowsOf(program.pid(), L"PlotmateSCR").size(), 0u) << "PLINE opens nothing";
  for (std::size_t i : {1, 2, 3, 4, 5, 6, 7, 7}) {
    const WindowLayout& w = kLayouts[i];
    HWND shown = openWindow(program, w);
    ASSERT_TRUE(shown) << w.name;  // with its caption, as the layouts check
    EXPECT_EQ(GetWindow(shown, GW_OWNER), nullptr) << "tool windows have no owner";
    EXPECT_EQ(windowsOf(program.pid(), w.className).size(), 1u) << w.name;
  }
  EXPECT_FALSE(findWindow(program.pid(), L"#32770", nullptr, 200ms)) << "no message on the way";
}

TEST(Windows, SettingsWindowStoresOnlyWhenItCloses) {
  const struct {
    const char* what;
    const wchar_t* typed;  // nullptr: left as shown
    bool tick;
    std::int16_t prec, yox;
  } cases[] = {
      {"untouched", nullptr, false, 3, 0},
      {"half to even", L"5.5", true, 6, 1},
      {"cleared", L"", false, 0, 0},
      {"beyond 16 bits", L"70000", false, 32767, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RunningProgram program(std::string("settings-") + c.what, placedAt(600, 600));
    HWND window = openTool(program, 8, kSettings);
    ASSERT_TRUE(window);  // showing the precision 3 as the layouts check
    if (c.typed) typeText(GetDlgItem(window, 102), c.typed);
    if (c.tick) click(GetDlgItem(window, 104));
    settle(window);
    const Settings saved = closeAndRead(program, window);
    EXPECT_EQ(std::pair(saved.PREC, saved.YOX), std::pair(c.prec, c.yox));
  }
}

// The ids of the controls the focus rests on: where it is, then after each
// of `steps` Tabs. A posted key is handled after the sent messages settle
// waits for, so each step waits for the focus to move on. The command box's
// focus is in its edit field, a child of the box: the box's id counts.
std::vector<int> tabWalk(HWND window, std::size_t steps) {
  SetForegroundWindow(window);  // as the drafter's click would make it
  pumpFor(300ms);                // activation reaches the program in its own time
  settle(window);
  const auto focusedId = [&] {
    HWND f = focusedIn(window);
    return GetParent(f) == window ? GetDlgCtrlID(f) : GetDlgCtrlID(GetParent(f));
  };
  std::vector<int> order{focusedId()};
  while (order.size() <= steps) {
    HWND before = focusedIn(window);
    PostMessageW(before, WM_KEYDOWN, VK_TAB, 0);
    pollUntil([&] { return focusedIn(window) != before; }, 1000ms);
    order.push_back(focusedId());
  }
  return order;
}

// The windows with boxes or options bound to settings: each shows its
// setting, a click stores it at once (written when the main window closes),
// and Tab walks a tool window's own order from the control clicked last. The
// block window's two options keep one selected, a setting out of range
// showing the first (stored when the window closes), and Tab reaches them at
// the selected one.
TEST(Windows, ToolWindowsStoreTheirSettingsAndTabInTheirOwnOrder) {
  using S = Settings;
  const struct {
    const char* name;  // in kLayouts
    std::vector<std::int16_t S::*> fields;  // the settings its boxes or options show
    std::vector<int> atStart, tickedAtOpen, clicked, tickedAfter, tabOrder, stored;
  } windows[] = {
      {"point", {&S::X, &S::Y, &S::Z, &S::T}, {1, 0, 0, 1}, {102, 105}, {102, 104}, {104, 105},
       {104, 101, 105, 102, 103, 104}, {0, 0, 1, 1}},
      {"distance", {&S::DX, &S::DY, &S::DI}, {0, 1, 0}, {103}, {104, 103}, {104}, {103, 102, 101, 104, 103},
       {1, 0, 0}},
      {"area", {&S::WriteToExcel}, {1}, {102}, {102}, {}, {102, 101, 102}, {0}},
      {"block-column", {&S::ReadDirec}, {0}, {102}, {101}, {101}, {101, 103, 101}, {-1}},
      {"block-column", {&S::ReadDirec}, {-1}, {101}, {}, {101}, {101, 103, 101}, {-1}},
      {"block-column", {&S::ReadDirec}, {0}, {102}, {}, {102}, {102, 103, 102}, {0}},
      {"block-column", {&S::ReadDirec}, {7}, {101}, {}, {101}, {101, 103, 101}, {-1}},
      {"block-column", {&S::ReadDirec}, {-1}, {101}, {102}, {102}, {102, 103, 102}, {0}},
      {"block-column", {&S::ReadDirec}, {-1}, {101}, {101}, {101}, {101, 103, 101}, {-1}},
      {"converter", {}, {}, {}, {}, {}, {101, 103, 101}, {}},
      {"main", {&S::InterCoord}, {1}, {103}, {103}, {}, {}, {0}},  // the crossing lines' box
  };
  int row = 0;
  for (const auto& w : windows) {
    const std::string what = std::string(w.name) + "-" + std::to_string(++row);
    SCOPED_TRACE(what);
    Settings settings = placedAt(600, 600);
    for (std::size_t i = 0; i < w.fields.size(); ++i) settings.*w.fields[i] = w.atStart[i];
    RunningProgram program("boxes-" + what, settings);
    const WindowLayout& layout = layoutNamed(w.name);
    HWND window = openWindow(program, layout);
    ASSERT_TRUE(window);
    const auto ticked = [&] {
      std::vector<int> ids;
      for (const auto& c : layout.controls)
        if (isChecked(GetDlgItem(window, c.id))) ids.push_back(c.id);
      return ids;  // in the table's order, by id
    };
    EXPECT_EQ(ticked(), w.tickedAtOpen);
    for (int id : w.clicked) click(GetDlgItem(window, id));
    settle(window);
    EXPECT_EQ(ticked(), w.tickedAfter);
    if (!w.tabOrder.empty()) {
      EXPECT_EQ(tabWalk(window, w.tabOrder.size() - 1), w.tabOrder);
    }
    // A click stores at once: with clicks made, the main window closes first.
    if (w.clicked.empty() && window != program.mainWindow()) {
      closeWindow(window);
      ASSERT_TRUE(waitUntilGone(window));
    }
    closeWindow(program.mainWindow());
    ASSERT_TRUE(waitUntilGone(program.mainWindow()));
    const Settings saved = program.savedSettings().value_or(Settings{});
    std::vector<int> stored;
    for (auto field : w.fields) stored.push_back(saved.*field);
    EXPECT_EQ(stored, w.stored);
  }
}

TEST(Windows, KeyboardMovesFocusAndEscClosesAToolWindow) {
  RunningProgram program("keyboard", placedAt(600, 600));
  HWND window = openTool(program, 8, kSettings);
  ASSERT_TRUE(window);
  // The window opens with the focus on its first control, the text box; Tab
  // walks between it and the check box, past the labels.
  EXPECT_EQ(tabWalk(window, 3), (std::vector<int>{102, 104, 102, 104}));
  ASSERT_EQ(GetForegroundWindow(), window);
  HWND box = GetDlgItem(window, 104);
  click(box);
  settle(window);
  PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(waitUntilGone(window)) << "Esc closes the window, storing what it shows";
  EXPECT_EQ(closeAndRead(program).YOX, 1);
}

TEST(Windows, RepeaterTemplatesApplyOnLeavingTheBoxAndOnChoosingAnItem) {
  Settings settings = placedAt(600, 600);
  settings.command = "circle";
  RunningProgram program("repeater", settings);
  HWND window = openTool(program, 2, L"PlotmateSCR");
  ASSERT_TRUE(window);
  HWND combo = GetDlgItem(window, 101);
  const auto caption = [&](int parameter) { return textOf(GetDlgItem(window, 259 + parameter)); };
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(textOf(combo), L"circle");
  EXPECT_EQ(caption(1), L"Para1") << "the stored command applies no template at load";
  // The window's own focus order, from parameter 1's box, once round.
  const std::vector<int> expected{200, 220, 221, 222, 223, 224, 225, 226, 227, 228, 229, 201, 202,
                                  203, 204, 205, 206, 207, 208, 209, 107, 240, 241, 242, 243, 244,
                                  245, 246, 247, 248, 104, 106, 101, 249, 200};
  EXPECT_EQ(tabWalk(window, expected.size() - 1), expected);
  const struct {
    const wchar_t* typed;  // into the box, then Tab; nullptr: list item `item` chosen
    int item;
    std::array<std::wstring, 4> shown;  // parameters 1, 3 and 6's captions, parameter 6's box
  } cases[] = {
      {L"text", 0, {L"起点X", L"字高", L"$$$", L"#"}},  // the Enter-mark box's own mark
      {L"dt", 0, {L"para1", L"para3", L"para6", L""}},
      {nullptr, 2, {L"圆心X", L"半径", L"", L""}},
      {nullptr, 1, {L"块名", L"插点Y", L"转角", L""}},
  };
  SetWindowTextW(GetDlgItem(window, 104), L"#");  // the Enter mark, whatever "config" held
  settle(window);
  for (const auto& c : cases) {
    if (c.typed) {
      focus(combo);
      SetWindowTextW(combo, c.typed);
      focus(GetDlgItem(window, 200));  // the focus leaves the box
    } else {
      SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(c.item), 0);
      SendMessageW(window, WM_COMMAND, MAKEWPARAM(101, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }
    settle(window);
    EXPECT_EQ((std::array{caption(1), caption(3), caption(6), textOf(GetDlgItem(window, 205))}), c.shown)
        << (c.typed ? toUtf8(c.typed) : std::to_string(c.item));
  }
  // A worksheet box fills its parameter; a pair box ticks the next one's.
  click(GetDlgItem(window, 240));
  settle(window);
  EXPECT_EQ(textOf(GetDlgItem(window, 201)), L"从Excel读取");
  EXPECT_TRUE(isChecked(GetDlgItem(window, 221)));
  // Opened again, the window starts afresh: only the command comes back.
  closeWindow(window);
  ASSERT_TRUE(waitUntilGone(window));
  window = openTool(program, 2, L"PlotmateSCR");
  ASSERT_TRUE(window);
  EXPECT_EQ((std::array{textOf(GetDlgItem(window, 101)), caption(1), textOf(GetDlgItem(window, 201))}),
            (std::array<std::wstring, 3>{L"-insert", L"Para1", L""}));
  EXPECT_FALSE(isChecked(GetDlgItem(window, 221)));
  EXPECT_EQ(SendMessageW(GetDlgItem(window, 101), CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(closeAndRead(program, window).command, "-insert");
}

// A click into a text box, handled before this returns.
void clickInto(HWND control) {
  SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

TEST(Windows, ConverterShowsMillimetresWhileTheLengthIsTyped) {
  RunningProgram program("converter", placedAt(600, 600));
  HWND window = openTool(program, 7, L"PlotmateCONV");
  ASSERT_TRUE(window);
  HWND input = GetDlgItem(window, 101), result = GetDlgItem(window, 103);
  clickInto(input);
  EXPECT_EQ(textOf(input), L"") << "the first click clears the syntax shown";
  EXPECT_EQ(textOf(result), L"0");
  const struct { const wchar_t* typed; const wchar_t* shown; } cases[] = {
      {L"5.6", L"1676.4"},    {L"5.6 1/2", L"1689.1"}, {L"1/2.3", L"228.6"},
      {L"0.1", L"25.4"},      {L"12", L"0"},           {L"5.", L"1524"},
      {L"-1.6", L"-152.4"},   {L"1.2 5", L"355.6"},    {L"5.6.5", L"1689.1"},
      {L"1/.3", L"381"},      {L"1/0.3", L"除数为零"},
  };
  for (const auto& c : cases) {
    typeText(input, c.typed);
    EXPECT_EQ(textOf(result), c.shown) << toUtf8(c.typed);
  }
  // Each keystroke converts: the text typed so far shows its own length.
  typeText(input, L"2.");
  EXPECT_EQ(textOf(result), L"609.6");
  SendMessageW(input, WM_CHAR, L'3', 0);
  EXPECT_EQ(textOf(result), L"685.8");
  clickInto(input);
  EXPECT_EQ(textOf(input), L"2.3") << "a typed length is kept on a click";
  EXPECT_FALSE(answerMessageBox(program.pid(), 200ms)) << "messages show in the result box only";
}

TEST(Windows, ConfigThatCannotBeReadWholeIsSaidOnceAtStart) {
  const std::string shortFile = "\"[General]\"\r\n\"YOX\",1\r\n\"PREC\",5\r\n";
  const struct {
    const char* what;
    std::optional<std::string> config;  // nothing: no file
    const wchar_t* message;             // how the message begins; nullptr: none
    std::int16_t yox, prec;             // written at close
  } cases[] = {
      {"no file, a first start", std::nullopt, nullptr, 0, 0},
      {"a short file", shortFile, L"config 文件不完整", 1, 5},
      {"a value no number", std::string("\"[General]\"\r\n\"YOX\",x\r\n\"PREC\",4\r\n"),
       L"config 文件不完整", 0, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::optional<RunningProgram> started;
    const std::string name = std::string("config-") + c.what;
    if (c.config)
      started.emplace(name, *c.config);
    else
      started.emplace(name, std::optional<Settings>());
    const RunningProgram& program = *started;
    if (c.message) {
      const auto shown = answerMessageBox(program.pid());
      ASSERT_TRUE(shown);
      EXPECT_EQ(shown->text.rfind(c.message, 0), 0u) << toUtf8(shown->text);
    }
    HWND main = findWindow(program.pid(), kMain);
    ASSERT_TRUE(main);
    EXPECT_FALSE(answerMessageBox(program.pid(), 200ms)) << "said once";
    const Settings saved = closeAndRead(program, nullptr, main);
    EXPECT_EQ(std::pair(saved.YOX, saved.PREC), std::pair(c.yox, c.prec));
  }
}

// Each button that attaches to the hosts, clicked or pressed by Enter, names
// the host that is not running, once, and then does nothing more.
TEST(Windows, ButtonsWithoutHostsSayWhichIsMissing) {
  RunningProgram program("nohosts", placedAt(600, 600));
  const std::wstring acad = L"AutoCAD可能未打开！\n\n", excel = L"Excel可能未打开！\n\n";
  const struct {
    const char* window;  // in kLayouts
    int button;
    bool byEnter;  // focus on the button and Enter, instead of a click
    std::vector<std::wstring> messages;  // how each message begins, in order
  } buttons[] = {
      {"main", 101, false, {acad, excel}},
      {"main", 102, true, {acad, excel}},
      {"block-column", 103, false, {excel}},
  };
  for (const auto& b : buttons) {
    HWND window = openWindow(program, layoutNamed(b.window));
    ASSERT_TRUE(window) << b.button;
    HWND button = GetDlgItem(window, b.button);
    if (b.byEnter) {
      focus(button);
      PostMessageW(button, WM_KEYDOWN, VK_RETURN, 0);
    } else {
      click(button);
    }
    for (const auto& message : b.messages) {
      const auto shown = answerMessageBox(program.pid());
      ASSERT_TRUE(shown) << b.button << " " << toUtf8(message);
      EXPECT_EQ(shown->title, L"Plotmate");
      EXPECT_EQ(shown->text.rfind(message, 0), 0u) << toUtf8(shown->text);
    }
    EXPECT_FALSE(answerMessageBox(program.pid(), 500ms)) << b.button << ": nothing after the messages";
  }
  EXPECT_FALSE(program.file("DistOut.txt")) << "no drawing host: nothing exported";
}

}  // namespace
}  // namespace plotmate::uitest

