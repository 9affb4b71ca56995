#pragma once
// Host main windows on this desktop, from the handles the hosts report
// (Application.HWND, Application.Hwnd).

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace plotmate::com {

// The top-level window a reported handle belongs to: the handle itself, or
// its root window when it is a child (WPS answers a child of its frame).
// Null for a handle that is no window, or one of another desktop.
HWND hostTopLevelWindow(std::int64_t handle);

// The index of the handle whose top-level window stands highest in the
// z-order; none when no handle is a window of this desktop.
std::optional<std::size_t> highestInZOrder(std::span<const std::int64_t> handles);

}  // namespace plotmate::com
