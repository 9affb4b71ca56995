#pragma once
// IdentifyPoints: the point tool. The drafter picks points one after another;
// each is recorded in the current user coordinate system as a worksheet row
// at the active cell (or a line of "DistOut.txt" without a spreadsheet),
// optionally followed by the string of a picked text. A cancelled point pick
// ends the run.

#include <string_view>

#include "hosts/attach.h"
#include "shell/settings.h"

namespace plotmate {

inline constexpr std::string_view kPickPointPrompt = "Pick point:";
inline constexpr std::string_view kSelectTextPrompt = "Select text:";
// Shown, titled kGoodByeTitle, when the text pick fails; the run ends.
inline constexpr std::string_view kGoodByeMessage = "Good Bye.";
inline constexpr std::string_view kGoodByeTitle = "GetEntity";
// The only kind of entity whose string is recorded.
inline constexpr std::string_view kTextObjectName = "AcDbText";

// Reads X, Y, Z, T, YOX and PREC from `settings` (the run's copy). Needs the
// attached drawing; writes to session.ExcelApp unless ExcelMissing is set.
void IdentifyPoints(const HostSession& session, Platform& platform, Settings settings);

}  // namespace plotmate
