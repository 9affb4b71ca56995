#include "measure/measure_desktop.h"

#include <string>

namespace plotmate {

void ShowAcadFailure(Platform& platform, const Error& error) {
  platform.messageBox(std::string(kAcadStepFailedMessage) + "\n\n" + error.description);
}

}  // namespace plotmate
