#include "app/area_window.h"

#include "app/bound_boxes.h"
#include "app/program.h"

namespace plotmate::app {

namespace {

// Table order is focus order: the box, then the button.
constexpr ControlDesign kControls[] = {
    {AreaWindow::chkboolArea, "chkboolArea", ControlKind::CheckBox, "Check1", {},
     {720, 120, 255, 180}, {}},
    {AreaWindow::Label8, "Label8", ControlKind::Label, "写入EXCEL", {}, {960, 120, 972, 252}, {}},
    {AreaWindow::Command6, "Command6", ControlKind::Button, "AREA", {}, {0, 0, 675, 495}, {}},
};

constexpr WindowDesign kAreaWindow{L"PlotmateAREA", "AREA", 1968, 516, false, kControls};

constexpr BoundBox<Areafrm> kBoxes[] = {
    {AreaWindow::chkboolArea, &Areafrm::chkboolArea, &Areafrm::chkboolArea_Click},
};

}  // namespace

AreaWindow::AreaWindow(Program& program) : FormWindow(kAreaWindow), program_(program) {}

void AreaWindow::Form_Load() {
  form_.Form_Load(program_.settings);
  showBoxes<Areafrm>(*this, form_, kBoxes);
}

// No unload step: a click has already stored the box.
void AreaWindow::command(int id, int notification) {
  if (notification == BN_CLICKED && !clickBox<Areafrm>(*this, form_, kBoxes, id, program_.settings) &&
      id == Command6)
    Command6_Click();
  // Esc closes the window as its close box does.
  if (id == IDCANCEL) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void AreaWindow::Command6_Click() {
  program_.runPickTool(*this, "AREA", [this] {
    ToolDesk desk{program_.broker, program_.session, program_.platform};
    form_.Command6_Click(desk, program_.settings);
  });
}

}  // namespace plotmate::app
