#pragma once
// Where a tool window opens: its top-left corner in twips, from the settings.

#include <cstdint>

#include "shell/settings.h"

namespace plotmate {

struct WindowPosition {
  std::int16_t top = 0;
  std::int16_t left = 0;
  bool operator==(const WindowPosition&) const = default;
};

// Top first, then left, as the windows set them when they load.
inline WindowPosition StoredPosition(const Settings& settings) {
  return WindowPosition{settings.TOP, settings.LEFT};
}

}  // namespace plotmate
