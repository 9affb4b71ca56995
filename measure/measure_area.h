#pragma once
// MeasureArea: the area tool. From one picked interior point the drawing host
// builds regions with its boundary command; the islands are subtracted from
// the outer region and its net area goes to the active cell or a message.
// The regions are deleted afterwards, so the drawing is left as it was.

#include <string>
#include <string_view>

#include "hosts/attach.h"
#include "shell/settings.h"

namespace plotmate {

inline constexpr std::string_view kAreaPickPrompt = "pick point: ";
inline constexpr std::string_view kNoBoundaryMessage = "未发现有效边界!";
// The largest new region is not the first one the command added.
inline constexpr std::string_view kAreaErrorMessage = "Error!";
inline constexpr std::string_view kAreaMessagePrefix = "Area=";
// Told to the run report when the host refuses to delete the run's regions.
inline constexpr std::string_view kRegionsLeftText = "本次生成的面域没能全部删除，留在了图中";
// The system variable that silences the host's prompts while the command runs.
inline constexpr std::string_view kNoMuttVariable = "NOMUTT";

// The command line that builds regions around the point (x, y) of the
// current user system: -boundary, advanced options, object type region,
// the point, Enter. Coordinates in the counting form, not rounded.
std::string BoundaryCommandText(double x, double y);

// Reads WriteToExcel and PREC from `settings` (the run's copy). The area goes
// to the active cell when WriteToExcel is on and a spreadsheet is attached,
// else into the "Area=" message. A cancelled pick ends the run quietly; any
// other host failure ends it with a message, after deleting what the run added
// to the drawing; so does the "Error!" outcome. Regions the host refuses to
// delete are told to the run report.
void MeasureArea(const HostSession& session, Platform& platform, Settings settings);

}  // namespace plotmate
