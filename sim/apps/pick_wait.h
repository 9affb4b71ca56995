#pragma once
// A visible drawing stand-in's wait for the mouse: GetPoint, GetEntity and
// the on-screen selection, with no pick queued, run the thread's messages
// until the window has an answer. The thread is the server's single COM
// apartment thread, so calls from clients keep being served meanwhile (a test
// reading the state, "Quit").

#include <functional>
#include <optional>

#include "sim/drawing/pick_queue.h"

namespace plotmate::sim {

// Pumps messages until `answer` yields a value. A WM_QUIT met meanwhile ends
// the wait as Esc does and is posted again, so the server still ends.
PickAnswer waitForPick(const std::function<std::optional<PickAnswer>()>& answer);

}  // namespace plotmate::sim
