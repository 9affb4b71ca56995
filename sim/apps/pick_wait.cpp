#include "sim/apps/pick_wait.h"

#include <windows.h>

namespace plotmate::sim {

PickAnswer waitForPick(const std::function<std::optional<PickAnswer>()>& answer) {
  MSG msg;
  for (;;) {
    if (auto given = answer()) return *given;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 1);
      return PickAnswer::cancel();
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace plotmate::sim
