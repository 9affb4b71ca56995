#include "app/distance_window.h"

#include "app/program.h"

namespace plotmate::app {

namespace {

// Table order is focus order: DX, DY, DI, then the button.
constexpr ControlDesign kControls[] = {
    {DistanceWindow::chkboolDX, "chkboolDX", ControlKind::CheckBox, "DX", "△X",
     {50, 50, 525, 255}, "Arial"},
    {DistanceWindow::chkboolDY, "chkboolDY", ControlKind::CheckBox, "DY", {},
     {50, 270, 525, 255}, "Arial"},
    {DistanceWindow::chkboolDI, "chkboolDI", ControlKind::CheckBox, "DI", "距离",
     {600, 50, 552, 255}, "Arial"},
    {DistanceWindow::Command1, "Command1", ControlKind::Button, "Dist", "量距",
     {1080, 15, 615, 495}, {}},
};

constexpr WindowDesign kDistanceWindow{L"PlotmateDIST", "DIST", 1740, 552, false, kControls};

}  // namespace

DistanceWindow::DistanceWindow(Program& program)
    : FormWindow(kDistanceWindow), program_(program) {}

void DistanceWindow::Form_Load() {
  form_.Form_Load(program_.settings);
  setChecked(chkboolDX, form_.chkboolDX != 0);
  setChecked(chkboolDY, form_.chkboolDY != 0);
  setChecked(chkboolDI, form_.chkboolDI != 0);
}

bool DistanceWindow::Form_Unload() {
  form_.chkboolDX = checkValue(chkboolDX);
  form_.chkboolDY = checkValue(chkboolDY);
  form_.chkboolDI = checkValue(chkboolDI);
  form_.Form_Unload(program_.settings);
  return true;
}

void DistanceWindow::command(int id, int notification) {
  if (notification == BN_CLICKED) {
    auto& settings = program_.settings;
    switch (id) {
      case Command1: Command1_Click(); break;
      case chkboolDX: form_.chkboolDX_Click(checkValue(id), settings); break;
      case chkboolDY: form_.chkboolDY_Click(checkValue(id), settings); break;
      case chkboolDI: form_.chkboolDI_Click(checkValue(id), settings); break;
      default: break;
    }
  }
  // Esc closes the window as its close box does.
  if (id == IDCANCEL) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void DistanceWindow::Command1_Click() {
  program_.runPickTool(*this, "Dist", [this] {
    ToolDesk desk{program_.broker, program_.session, program_.platform};
    // The main window's "MO" and "Pref" are read as they stand during the run.
    form_.Command1_Click(desk, program_.settings, program_.mainForm, program_.distanceSelection);
  });
}

}  // namespace plotmate::app
