#include "measure/id_form.h"

#include "measure/identify_points.h"

namespace plotmate {

void Idfrm::Form_Load(const Settings& settings) {
  chkboolX = settings.X;
  chkboolY = settings.Y;
  chkboolZ = settings.Z;
  chkboolText = settings.T;
}

void Idfrm::chkboolX_Click(std::int16_t value, Settings& settings) { settings.X = chkboolX = value; }
void Idfrm::chkboolY_Click(std::int16_t value, Settings& settings) { settings.Y = chkboolY = value; }
void Idfrm::chkboolZ_Click(std::int16_t value, Settings& settings) { settings.Z = chkboolZ = value; }
void Idfrm::chkboolText_Click(std::int16_t value, Settings& settings) {
  settings.T = chkboolText = value;
}

void Idfrm::Form_Unload(Settings& settings) const {
  settings.X = chkboolX;
  settings.Y = chkboolY;
  settings.Z = chkboolZ;
  settings.T = chkboolText;
}

void Idfrm::Command2_Click(ToolDesk& desk, const Settings& settings) const {
  AttachAcad(desk.session, desk.broker, desk.platform);
  AttachExcel(desk.session, desk.broker, desk.platform);
  if (desk.session.AcadMissing != 0) return;
  IdentifyPoints(desk.session, desk.platform, settings);
}

}  // namespace plotmate
