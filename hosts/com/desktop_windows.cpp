#include "hosts/com/desktop_windows.h"

#include <algorithm>
#include <vector>

namespace plotmate::com {

namespace {

// This desktop's top-level windows, the highest first (EnumWindows walks
// them in z-order and never reaches another desktop's).
std::vector<HWND> topLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND window, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

HWND rootOf(std::int64_t handle) {
  HWND window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(handle));
  if (handle == 0 || !IsWindow(window)) return nullptr;
  return GetAncestor(window, GA_ROOT);
}

}  // namespace

HWND hostTopLevelWindow(std::int64_t handle) {
  HWND root = rootOf(handle);
  if (!root) return nullptr;
  const auto windows = topLevelWindows();
  return std::find(windows.begin(), windows.end(), root) != windows.end() ? root : nullptr;
}

std::optional<std::size_t> highestInZOrder(std::span<const std::int64_t> handles) {
  std::vector<HWND> roots;
  for (auto handle : handles) roots.push_back(rootOf(handle));
  for (HWND window : topLevelWindows()) {
    auto found = std::find(roots.begin(), roots.end(), window);
    if (window && found != roots.end()) return static_cast<std::size_t>(found - roots.begin());
  }
  return std::nullopt;
}

}  // namespace plotmate::com
