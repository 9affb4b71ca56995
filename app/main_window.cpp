#include "app/main_window.h"

#include <windowsx.h>

#include "app/program.h"
#include "app/wide_text.h"
#include "pline/main_buttons.h"

namespace plotmate::app {

namespace {

constexpr ControlDesign kControls[] = {
    {MainWindow::Command3, ControlKind::Button, "->Excel",
     "提取多义线顶点坐标并写入Excel", {120, 120, 810, 495}, {}},
    {MainWindow::chkboolIntersect, ControlKind::CheckBox, "Check1",
     "提取与所选PLine相交的直线的起终点及交点坐标", {972, 168, 165, 195}, {}},
    {MainWindow::Command4, ControlKind::Button, "->Acad", "据Excel中坐标点画多义线",
     {1212, 120, 750, 495}, {}},
    // Below the design height: seen only when the window is made taller.
    {MainWindow::chkboolchgtxt, ControlKind::CheckBox, "MO", {},
     {375, 1350, 570, 300}, "Arial"},
    {MainWindow::Label2, ControlKind::Label, "Pref", {}, {1050, 1380, 300, 255}, "Arial"},
    {MainWindow::txtPref, ControlKind::TextBox, "", {}, {1425, 1350, 375, 270}, {}},
    {MainWindow::Label3, ControlKind::Label, "Suf", {}, {1815, 1380, 255, 255}, "Arial"},
    {MainWindow::txtSuf, ControlKind::TextBox, "", {}, {2100, 1350, 375, 270}, {}},
};

constexpr WindowDesign kMainWindow{L"PlotmateMain", "PLOTMATE   2012.07.04", 2064, 672, true,
                                   kControls, false};

// Menu command ids: the entry's place in the table, past the controls' ids.
constexpr int kFirstMenuId = 1000;
constexpr int kMenuIds = 100;  // more than the menu will ever hold

}  // namespace

MainWindow::MainWindow(Program& program)
    : DeclaredWindow(program.windows, kMainWindow), program_(program) {}

std::span<const FormEvent<MainWindow>> MainWindow::events() {
  static constexpr FormEvent<MainWindow> kEvents[] = {
      {Command3, kClicked, &MainWindow::Command3_Click},
      {Command4, kClicked, &MainWindow::Command4_Click},
      {chkboolIntersect, kClicked, &MainWindow::chkboolIntersect_Click},
      {chkboolchgtxt, kClicked, &MainWindow::chkboolchgtxt_Click},
      {txtPref, kChanged, &MainWindow::txtPref_Change},
      {txtSuf, kChanged, &MainWindow::txtSuf_Change},
      {kFirstMenuId, kMenuIds, kClicked, &MainWindow::menuEntry_Click},
  };
  return kEvents;
}

void MainWindow::Form_Load() {
  // The settings were read before the window was placed; the box shows them.
  program_.mainForm.showSettings(program_.settings);
  setChecked(chkboolIntersect, program_.mainForm.chkboolIntersect != 0);
}

bool MainWindow::Form_Unload() {
  program_.distanceSelection = AcadSelectionSet{};
  program_.settings.TOP = storedTop();
  program_.settings.LEFT = storedLeft();
  program_.saveSettings();
  return true;  // never kept open; tool windows stay
}

void MainWindow::Command3_Click() {
  program_.runTool("->Excel", [this] {
    AttachAndExportPolyline(program_.session, program_.broker, program_.platform,
                            program_.settings, program_.mainForm);
  });
}

void MainWindow::Command4_Click() {
  program_.runTool("->Acad", [this] {
    AttachAndDrawPolyline(program_.session, program_.broker, program_.platform,
                          program_.settings);
  });
}

void MainWindow::chkboolIntersect_Click() {
  program_.mainForm.chkboolIntersect_Click(checkValue(chkboolIntersect), program_.settings);
}

void MainWindow::chkboolchgtxt_Click() { program_.mainForm.chkboolchgtxt = checkValue(chkboolchgtxt); }

void MainWindow::txtPref_Change() { program_.mainForm.txtPref = text(txtPref); }

void MainWindow::txtSuf_Change() { program_.mainForm.txtSuf = text(txtSuf); }

bool MainWindow::message(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
  // Only the window's own surface: clicks on a control go to the control.
  if (msg == WM_RBUTTONDOWN) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd(), &at);
    Form_MouseDown(2, at);
    result = 0;
    return true;
  }
  // Shift+F10 and the menu key open the menu at the window's corner. A
  // right click on a control also arrives here, with a position: ignored.
  if (msg == WM_CONTEXTMENU && GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1) {
    POINT at{0, 0};
    ClientToScreen(hwnd(), &at);
    Form_MouseDown(2, at);
    result = 0;
    return true;
  }
  return false;
}

void MainWindow::Form_MouseDown(int button, POINT screen) {
  if (button != 2 || busy()) return;
  const win32::OwnedMenu owned(CreatePopupMenu());
  HMENU menu = owned.get();
  const auto entries = MainMenuEntries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].action == MenuAction::Separator)
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuW(menu, MF_STRING, kFirstMenuId + i, wide(entries[i].caption).c_str());
  }
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0,
                 hwnd(), nullptr);
}

void MainWindow::menuEntry_Click(int entry) {
  const auto entries = MainMenuEntries();
  if (static_cast<std::size_t>(entry) >= entries.size()) return;
  switch (const auto action = entries[static_cast<std::size_t>(entry)].action) {
    case MenuAction::None:
    case MenuAction::Separator:
      return;
    case MenuAction::About:
      ABOUT_Click();
      return;
    default:
      program_.showToolWindow(action);
  }
}

void MainWindow::ABOUT_Click() { OpenHelpFile(program_.platform); }

}  // namespace plotmate::app
