#pragma once
// The first step of every polyline run: the utility object of the document
// kept by the last attach. Without it no pick and no translation can be made,
// so the run ends with a message that says why.

#include <optional>
#include <string_view>

#include "hosts/acad.h"
#include "hosts/attach.h"
#include "hosts/platform.h"

namespace plotmate {

// The description when the last attach found the application but no document.
inline constexpr std::string_view kNoDocumentDescription = "AutoCAD没有打开的图形。";

// AcadDoc.Utility; when it cannot be obtained (no document kept, or the kept
// one was closed since), shows kNoDrawingMessage and gives nothing.
std::optional<AcadUtility> DocumentUtility(const HostSession& hosts, Platform& platform);

}  // namespace plotmate
