#include "pline/drawing_access.h"

#include <string>

namespace plotmate {

std::optional<AcadUtility> DocumentUtility(const HostSession& hosts, Platform& platform) {
  std::string reason(kNoDocumentDescription);
  if (hosts.AcadDoc) {
    auto utility = AcadDocument(hosts.AcadDoc).utility();
    if (utility && *utility) return *utility;
    if (!utility) reason = utility.error().description;
  }
  platform.messageBox(std::string(kDrawingUnavailableMessage) + "\n\n" + reason);
  return std::nullopt;
}

}  // namespace plotmate
