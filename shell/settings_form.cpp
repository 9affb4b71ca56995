#include "shell/settings_form.h"

#include "format/number_read.h"

namespace plotmate {

void SETfrm::Form_Load(const Settings& settings) {
  chkboolCoor = settings.YOX;
  txtPrec = std::to_string(settings.PREC);
}

void SETfrm::Form_Unload(Settings& settings) const {
  settings.PREC = ReadPrecisionText(txtPrec);
  settings.YOX = chkboolCoor;
}

}  // namespace plotmate
