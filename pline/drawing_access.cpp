#include "pline/drawing_access.h"

#include <string>

namespace plotmate {

std::optional<AcadUtility> DocumentUtility(const HostSession& hosts, Platform& platform) {
  auto utility = hosts.AcadDoc ? AcadDocument(hosts.AcadDoc).utility()
                               : Result<AcadUtility>(fail(hr::kFail, std::string(kNoDocumentDescription)));
  if (utility && *utility) return *utility;
  const std::string reason = utility ? std::string(kNoDocumentDescription) : utility.error().description;
  platform.messageBox(std::string(kNoDrawingMessage) + "\n\n" + reason);
  return std::nullopt;
}

}  // namespace plotmate
