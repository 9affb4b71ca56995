#pragma once
// The main window a stand-in server reports as Application.HWND / Hwnd,
// titled as the program it poses as titles its own: the visible stand-in's
// window, or, without --visible, a hidden window of its own. A profile whose
// program answers a child of its frame (WPS) gets a child window, and its
// handle is what the host reports.

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "sim/host_profile.h"
#include "sim/sim_object.h"

namespace plotmate::sim {

class ServerMainWindow {
 public:
  // `visible`: the stand-in's own window; null makes a hidden one.
  ServerMainWindow(const HostProfile& profile, HWND visible);
  ServerMainWindow(const ServerMainWindow&) = delete;
  ServerMainWindow& operator=(const ServerMainWindow&) = delete;

  // Titles the window after the document now open ("plan.dxf", "Book1.csv").
  void retitle(std::string_view document) const;
  // Makes a freshly loaded host pose as the profile's program.
  void pose(HostContext& context) const;

  HWND window() const { return window_; }

 private:
  const HostProfile& profile_;
  HWND window_;
  HWND reported_;
};

}  // namespace plotmate::sim
