// plotmate.exe: libraries from the system folder only, DPI awareness, the
// COM apartment with its message filter, the settings and the main window,
// then the message loop until the program's last window has closed.

#include <windows.h>

#include <commctrl.h>

#include "app/message_loop.h"
#include "app/program.h"
#include "app/wide_text.h"
#include "hosts/com/apartment.h"
#include "hosts/com/library_search.h"
#include "hosts/com/message_filter.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace plotmate;
  // Before anything loads a library by name: the common controls, themes and
  // COM below all do. A refusal leaves Windows' own search; the program still runs.
  (void)com::RestrictLibrarySearchToSystem();
  // The manifest asks for per-monitor awareness; this covers a copy run
  // without it. Refused where the manifest already set it (or under Wine): harmless.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  com::ComApartment apartment;
  if (!apartment.ok()) {
    MessageBoxW(nullptr, app::wide("COM 无法初始化，程序不能运行。").c_str(),
                app::wide(app::kProgramTitle).c_str(), MB_OK | MB_ICONERROR);
    return 1;
  }
  com::ScopedMessageFilter filter;
  int exitCode = 1;
  {
    app::Program program;
    if (program.start()) exitCode = app::RunMessageLoop(program.windows);
  }
  return exitCode;
}
