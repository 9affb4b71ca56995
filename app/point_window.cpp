#include "app/point_window.h"

#include "app/bound_boxes.h"
#include "app/program.h"

namespace plotmate::app {

namespace {

// Table order is focus order: the text box first, then X, Y, Z and the button.
constexpr ControlDesign kControls[] = {
    {PointWindow::chkboolText, "chkboolText", ControlKind::CheckBox, "Check1", {},
     {1125, 15, 255, 255}, {}},
    {PointWindow::label1, "label1", ControlKind::Label, " T", {}, {1320, 0, 252, 252}, {}},
    {PointWindow::chkboolX, "chkboolX", ControlKind::CheckBox, "X", {}, {0, 0, 390, 225},
     "Arial"},
    {PointWindow::chkboolY, "chkboolY", ControlKind::CheckBox, "Y", {}, {375, 0, 390, 225},
     "Arial"},
    {PointWindow::chkboolZ, "chkboolZ", ControlKind::CheckBox, "Z", {}, {750, 0, 390, 225},
     "Arial"},
    {PointWindow::Command2, "Command2", ControlKind::Button, "PikPt", "提取点的坐标信息",
     {1545, 15, 615, 495}, {}},
};

constexpr WindowDesign kPointWindow{L"PlotmateID", "ID", 2208, 528, false, kControls};

constexpr BoundBox<Idfrm> kBoxes[] = {
    {PointWindow::chkboolX, &Idfrm::chkboolX, &Idfrm::chkboolX_Click},
    {PointWindow::chkboolY, &Idfrm::chkboolY, &Idfrm::chkboolY_Click},
    {PointWindow::chkboolZ, &Idfrm::chkboolZ, &Idfrm::chkboolZ_Click},
    {PointWindow::chkboolText, &Idfrm::chkboolText, &Idfrm::chkboolText_Click},
};

}  // namespace

PointWindow::PointWindow(Program& program) : FormWindow(kPointWindow), program_(program) {}

void PointWindow::Form_Load() {
  form_.Form_Load(program_.settings);
  showBoxes<Idfrm>(*this, form_, kBoxes);
}

bool PointWindow::Form_Unload() {
  storeBoxes<Idfrm>(*this, form_, kBoxes);
  form_.Form_Unload(program_.settings);
  return true;
}

void PointWindow::command(int id, int notification) {
  if (notification == BN_CLICKED && !clickBox<Idfrm>(*this, form_, kBoxes, id, program_.settings) &&
      id == Command2)
    Command2_Click();
  // Esc closes the window as its close box does.
  if (id == IDCANCEL) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void PointWindow::Command2_Click() {
  program_.runPickTool(*this, "PikPt", [this] {
    ToolDesk desk{program_.broker, program_.session, program_.platform};
    form_.Command2_Click(desk, program_.settings);
  });
}

}  // namespace plotmate::app
