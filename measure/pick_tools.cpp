#include "measure/pick_tools.h"

namespace plotmate {

namespace {

using IdC = IdControls;
using DistC = DistControls;
using AreaC = AreaControls;

constexpr BoundBox<Idfrm> kPointBoxes[] = {
    {IdC::chkboolX, "chkboolX", &Idfrm::chkboolX, &Clicked<&Idfrm::chkboolX_Click>},
    {IdC::chkboolY, "chkboolY", &Idfrm::chkboolY, &Clicked<&Idfrm::chkboolY_Click>},
    {IdC::chkboolZ, "chkboolZ", &Idfrm::chkboolZ, &Clicked<&Idfrm::chkboolZ_Click>},
    {IdC::chkboolText, "chkboolText", &Idfrm::chkboolText, &Clicked<&Idfrm::chkboolText_Click>},
};

constexpr BoundBox<Distfrm> kDistanceBoxes[] = {
    {DistC::chkboolDX, "chkboolDX", &Distfrm::chkboolDX, &Clicked<&Distfrm::chkboolDX_Click>},
    {DistC::chkboolDY, "chkboolDY", &Distfrm::chkboolDY, &Clicked<&Distfrm::chkboolDY_Click>},
    {DistC::chkboolDI, "chkboolDI", &Distfrm::chkboolDI, &Clicked<&Distfrm::chkboolDI_Click>},
};

constexpr BoundBox<Areafrm> kAreaBoxes[] = {
    {AreaC::chkboolArea, "chkboolArea", &Areafrm::chkboolArea, &Clicked<&Areafrm::chkboolArea_Click>},
};

constexpr PickTool<Idfrm> kPoint{kPointBoxes, IdC::Command2, "PikPt",
                                 [](const Idfrm& form, PickDesk& desk) {
                                   form.Command2_Click(desk.tool, desk.settings);
                                 }};

constexpr PickTool<Distfrm> kDistance{
    kDistanceBoxes, DistC::Command1, "Dist", [](const Distfrm& form, PickDesk& desk) {
      form.Command1_Click(desk.tool, desk.settings, desk.mainForm, desk.distanceSelection);
    }};

constexpr PickTool<Areafrm> kArea{kAreaBoxes, AreaC::Command6, "AREA",
                                  [](const Areafrm& form, PickDesk& desk) {
                                    form.Command6_Click(desk.tool, desk.settings);
                                  }};

}  // namespace

const PickTool<Idfrm>& PointPickTool() { return kPoint; }
const PickTool<Distfrm>& DistancePickTool() { return kDistance; }
const PickTool<Areafrm>& AreaPickTool() { return kArea; }

}  // namespace plotmate
