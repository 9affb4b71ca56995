#include "app/distance_window.h"

#include "app/bound_boxes.h"
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

constexpr BoundBox<Distfrm> kBoxes[] = {
    {DistanceWindow::chkboolDX, &Distfrm::chkboolDX, &Distfrm::chkboolDX_Click},
    {DistanceWindow::chkboolDY, &Distfrm::chkboolDY, &Distfrm::chkboolDY_Click},
    {DistanceWindow::chkboolDI, &Distfrm::chkboolDI, &Distfrm::chkboolDI_Click},
};

}  // namespace

DistanceWindow::DistanceWindow(Program& program)
    : FormWindow(kDistanceWindow), program_(program) {}

void DistanceWindow::Form_Load() {
  form_.Form_Load(program_.settings);
  showBoxes<Distfrm>(*this, form_, kBoxes);
}

bool DistanceWindow::Form_Unload() {
  storeBoxes<Distfrm>(*this, form_, kBoxes);
  form_.Form_Unload(program_.settings);
  return true;
}

void DistanceWindow::command(int id, int notification) {
  if (notification == BN_CLICKED && !clickBox<Distfrm>(*this, form_, kBoxes, id, program_.settings) &&
      id == Command1)
    Command1_Click();
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
