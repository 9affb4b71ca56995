#include "sim/apps/server_main_window.h"

#include "hosts/com/bstr.h"

namespace plotmate::sim {

ServerMainWindow::ServerMainWindow(const HostProfile& profile, HWND visible)
    : profile_(profile),
      window_(visible ? visible
                      : CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr)),
      reported_(profile.childWindowHandle
                    ? CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window_,
                                      nullptr, GetModuleHandleW(nullptr), nullptr)
                    : window_) {}

void ServerMainWindow::retitle(std::string_view document) const {
  SetWindowTextW(window_, com::toWide(windowTitle(profile_, document)).c_str());
}

void ServerMainWindow::pose(HostContext& context) const {
  // A state that names a profile of its own keeps its differences.
  if (!context.profile) context.profile = &profile_;
  context.mainWindow = reinterpret_cast<std::intptr_t>(reported_);
}

}  // namespace plotmate::sim
