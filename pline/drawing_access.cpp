#include "pline/drawing_access.h"

#include <string>

namespace plotmate {

std::optional<AcadUtility> DocumentUtility(const HostSession& hosts, Platform& platform) {
  std::string message(kNoDrawingMessage);
  if (hosts.AcadDoc) {
    auto utility = AcadDocument(hosts.AcadDoc).utility();
    if (utility && *utility) return *utility;
    if (!utility) message += "\n\n" + utility.error().description;
  }
  platform.messageBox(message);
  return std::nullopt;
}

}  // namespace plotmate
