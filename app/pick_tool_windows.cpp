#include "app/pick_tool_window.h"

namespace plotmate::app {

namespace {

using IdC = IdControls;
using DistC = DistControls;
using AreaC = AreaControls;

// Table order is focus order: the text box first, then X, Y, Z and the button.
constexpr ControlDesign kPointControls[] = {
    {IdC::chkboolText, ControlKind::CheckBox, "Check1", {},
     {1125, 15, 255, 255}, {}},
    {IdC::label1, ControlKind::Label, " T", {}, {1320, 0, 252, 252}, {}},
    {IdC::chkboolX, ControlKind::CheckBox, "X", {}, {0, 0, 390, 225},
     "Arial"},
    {IdC::chkboolY, ControlKind::CheckBox, "Y", {}, {375, 0, 390, 225},
     "Arial"},
    {IdC::chkboolZ, ControlKind::CheckBox, "Z", {}, {750, 0, 390, 225},
     "Arial"},
    {IdC::Command2, ControlKind::Button, "PikPt", "提取点的坐标信息",
     {1545, 15, 615, 495}, {}},
};

constexpr WindowDesign kPointWindow{L"PlotmateID", "ID", 2208, 528, false, kPointControls};

// Table order is focus order: DX, DY, DI, then the button.
constexpr ControlDesign kDistanceControls[] = {
    {DistC::chkboolDX, ControlKind::CheckBox, "DX", "△X",
     {50, 50, 525, 255}, "Arial"},
    {DistC::chkboolDY, ControlKind::CheckBox, "DY", {},
     {50, 270, 525, 255}, "Arial"},
    {DistC::chkboolDI, ControlKind::CheckBox, "DI", "距离",
     {600, 50, 552, 255}, "Arial"},
    {DistC::Command1, ControlKind::Button, "Dist", "量距",
     {1080, 15, 615, 495}, {}},
};

constexpr WindowDesign kDistanceWindow{L"PlotmateDIST", "DIST", 1740, 552, false, kDistanceControls};

// Table order is focus order: the box, then the button.
constexpr ControlDesign kAreaControls[] = {
    {AreaC::chkboolArea, ControlKind::CheckBox, "Check1", {},
     {720, 120, 255, 180}, {}},
    {AreaC::Label8, ControlKind::Label, "写入EXCEL", {}, {960, 120, 972, 252}, {}},
    {AreaC::Command6, ControlKind::Button, "AREA", {}, {0, 0, 675, 495}, {}},
};

constexpr WindowDesign kAreaWindow{L"PlotmateAREA", "AREA", 1968, 516, false, kAreaControls};

}  // namespace

std::unique_ptr<FormWindow> MakePointWindow(Program& program) {
  return std::make_unique<PickToolWindow<Idfrm>>(program, kPointWindow, PointPickTool());
}

std::unique_ptr<FormWindow> MakeDistanceWindow(Program& program) {
  return std::make_unique<PickToolWindow<Distfrm>>(program, kDistanceWindow, DistancePickTool());
}

std::unique_ptr<FormWindow> MakeAreaWindow(Program& program) {
  return std::make_unique<PickToolWindow<Areafrm>>(program, kAreaWindow, AreaPickTool());
}

}  // namespace plotmate::app
