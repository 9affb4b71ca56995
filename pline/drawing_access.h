#pragma once
// The first step of every polyline run: the utility object of the document
// kept by the last attach. Without it no pick and no translation can be made,
// so the run ends with a message that says why.

#include <optional>

#include "hosts/acad.h"
#include "hosts/attach.h"
#include "hosts/platform.h"

namespace plotmate {

// AcadDoc.Utility; when it cannot be obtained, shows kNoDrawingMessage (with
// two line feeds and the host's description when the host refused it) and
// gives nothing: no document was kept, or the kept one was closed since.
std::optional<AcadUtility> DocumentUtility(const HostSession& hosts, Platform& platform);

}  // namespace plotmate
