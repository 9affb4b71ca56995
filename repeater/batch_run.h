#pragma once
// The repeater's "Draw" button: the command of the repeater form, sent to
// the drawing host once for every row of the worksheet selection.

#include <cstdint>
#include <string_view>

#include "hosts/attach.h"
#include "repeater/repeater_form.h"
#include "shell/settings.h"

namespace plotmate {

// "ZhanDian" asked for on a selection that is not three columns wide, or a
// selection too large to capture.
inline constexpr std::string_view kWrongSelectionForRunMessage = "对不起，您的选择区域不对！";
// Engineering coordinates asked for while a pair goes on into a third part.
inline constexpr std::string_view kThreeDimensionalMessage = "有三维坐标";
// Told to the run report when the host refuses to say what is selected.
inline constexpr std::string_view kSelectionUnreadText = "选区未读到，没有发送命令";

// The most cells a run captures: four whole columns of 1,048,576 rows. A
// larger selection, such as the whole sheet, ends the run with the selection
// message before any cell is read or anything is sent.
inline constexpr std::int64_t kMaxCapturedCells = std::int64_t{1} << 22;

// Attaches to both hosts, then reads the selection, moves it on (AutoNext),
// captures it, and sends one command line per row between the system
// variables that silence the drawing host and the ones that restore it, all
// in one undo group. After the attach every host call that fails is passed
// over, and told to the run report; only the three messages above end a
// run early, and they do so before any system variable is set or any line
// is sent.
void RunCommandForEachRow(const RepeaterForm& form, const Settings& settings, HostSession& session,
                    HostBroker& broker, Platform& platform);

}  // namespace plotmate
