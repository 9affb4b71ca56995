#include "measure/dist_form.h"

#include "measure/measure_distance.h"

namespace plotmate {

void Distfrm::Form_Load(const Settings& settings) {
  chkboolDX = settings.DX;
  chkboolDY = settings.DY;
  chkboolDI = settings.DI;
}

void Distfrm::chkboolDX_Click(std::int16_t value, Settings& settings) {
  settings.DX = chkboolDX = value;
}

void Distfrm::chkboolDY_Click(std::int16_t value, Settings& settings) {
  settings.DY = chkboolDY = value;
}

void Distfrm::chkboolDI_Click(std::int16_t value, Settings& settings) {
  settings.DI = chkboolDI = value;
}

void Distfrm::Form_Unload(Settings& settings) const {
  settings.DX = chkboolDX;
  settings.DY = chkboolDY;
  settings.DI = chkboolDI;
}

void Distfrm::Command1_Click(ToolDesk& desk, const Settings& settings, const MainForm& mainForm,
                             AcadSelectionSet& textSet) const {
  AttachAcad(desk.session, desk.broker, desk.platform);
  AttachExcel(desk.session, desk.broker, desk.platform);
  if (desk.session.AcadMissing != 0) return;
  MeasureDistance(desk.session, desk.platform, settings, mainForm, textSet);
}

}  // namespace plotmate
