#include "measure/area_form.h"

#include "measure/measure_area.h"

namespace plotmate {

void Areafrm::Form_Load(const Settings& settings) {
  chkboolArea = settings.WriteToExcel;
}

void Areafrm::chkboolArea_Click(std::int16_t value, Settings& settings) {
  settings.WriteToExcel = chkboolArea = value;
}

void Areafrm::Command6_Click(ToolDesk& desk, const Settings& settings) const {
  if (chkboolArea != 0) AttachExcel(desk.session, desk.broker, desk.platform);
  AttachAcad(desk.session, desk.broker, desk.platform);
  if (desk.session.AcadMissing != 0) return;
  MeasureArea(desk.session, desk.platform, settings);
}

}  // namespace plotmate
