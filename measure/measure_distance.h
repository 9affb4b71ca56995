#pragma once
// MeasureDistance: the distance tool. For each pair of picked points it
// records dX, dY and the plan distance in the current user coordinate
// system as a worksheet row (or a line of "DistOut.txt" without a
// spreadsheet) and, with the main window's "MO" box ticked, writes them into
// texts the drafter selects. A cancelled pick or a zero distance ends the run.

#include <string_view>

#include "hosts/acad.h"
#include "hosts/attach.h"
#include "shell/main_form.h"
#include "shell/settings.h"

namespace plotmate {

inline constexpr std::string_view kStartPointPrompt = "Start point: ";
inline constexpr std::string_view kEndPointPrompt = "End point: ";

// Reads DX, DY, DI, YOX and PREC from `settings` (the run's copy), and the
// main window's chkboolchgtxt and txtPref at each text update. `textSet` is
// the kept selection set "ss" of the text update: refreshed from the drawing
// at each update and kept between runs (the main window releases it).
void MeasureDistance(const HostSession& session, Platform& platform, Settings settings,
                     const MainForm& mainForm, AcadSelectionSet& textSet);

}  // namespace plotmate
