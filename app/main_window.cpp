#include "app/main_window.h"

#include <windowsx.h>

#include "app/program.h"
#include "app/wide_text.h"
#include "pline/main_buttons.h"

namespace plotmate::app {

namespace {

constexpr ControlDesign kControls[] = {
    {MainWindow::Command3, "Command3", ControlKind::Button, "->Excel",
     "提取多义线顶点坐标并写入Excel", {120, 120, 810, 495}, {}},
    {MainWindow::chkboolIntersect, "chkboolIntersect", ControlKind::CheckBox, "Check1",
     "提取与所选PLine相交的直线的起终点及交点坐标", {972, 168, 165, 195}, {}},
    {MainWindow::Command4, "Command4", ControlKind::Button, "->Acad", "据Excel中坐标点画多义线",
     {1212, 120, 750, 495}, {}},
    // Below the design height: seen only when the window is made taller.
    {MainWindow::chkboolchgtxt, "chkboolchgtxt", ControlKind::CheckBox, "MO", {},
     {375, 1350, 570, 300}, "Arial"},
    {MainWindow::Label2, "Label2", ControlKind::Label, "Pref", {}, {1050, 1380, 300, 255}, "Arial"},
    {MainWindow::txtPref, "txtPref", ControlKind::TextBox, "", {}, {1425, 1350, 375, 270}, {}},
    {MainWindow::Label3, "Label3", ControlKind::Label, "Suf", {}, {1815, 1380, 255, 255}, "Arial"},
    {MainWindow::txtSuf, "txtSuf", ControlKind::TextBox, "", {}, {2100, 1350, 375, 270}, {}},
};

constexpr WindowDesign kMainWindow{L"PlotmateMain", "PLOTMATE   2012.07.04", 2064, 672, true,
                                 kControls};

// Menu command ids: the entry's place in the table, past the controls' ids.
constexpr UINT kFirstMenuId = 1000;

}  // namespace

MainWindow::MainWindow(Program& program) : FormWindow(kMainWindow), program_(program) {}

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

void MainWindow::command(int id, int notification) {
  switch (id) {
    case Command3:
      if (notification == BN_CLICKED) Command3_Click();
      return;
    case Command4:
      if (notification == BN_CLICKED) Command4_Click();
      return;
    case chkboolIntersect:
      if (notification == BN_CLICKED) chkboolIntersect_Click();
      return;
    case chkboolchgtxt:
      if (notification == BN_CLICKED) program_.mainForm.chkboolchgtxt = checked(chkboolchgtxt) ? 1 : 0;
      return;
    case txtPref:
      if (notification == EN_CHANGE) program_.mainForm.txtPref = text(txtPref);
      return;
    case txtSuf:
      if (notification == EN_CHANGE) program_.mainForm.txtSuf = text(txtSuf);
      return;
    default:
      if (id >= static_cast<int>(kFirstMenuId))
        menuEntry_Click(static_cast<std::size_t>(id) - kFirstMenuId);
  }
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
  program_.mainForm.chkboolIntersect_Click(checked(chkboolIntersect) ? 1 : 0, program_.settings);
}

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
  HMENU menu = CreatePopupMenu();
  const auto entries = MainMenuEntries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].action == MenuAction::Separator)
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuW(menu, MF_STRING, kFirstMenuId + i, wide(entries[i].caption).c_str());
  }
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0,
                 hwnd(), nullptr);
  DestroyMenu(menu);
}

void MainWindow::menuEntry_Click(std::size_t entry) {
  const auto entries = MainMenuEntries();
  if (entry >= entries.size()) return;
  switch (const auto action = entries[entry].action) {
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
