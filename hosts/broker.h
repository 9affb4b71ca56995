#pragma once
// Finding a running host program by its automation class name
// ("AutoCAD.Application", "Excel.Application"). A broker only ever binds to
// an instance that is already running; it never starts one. On Windows this is
// the Running Object Table; in-process it serves the stand-ins. On failure the
// error carries the platform's description, which the attach message shows.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "hosts/dispatch.h"

namespace plotmate {

class HostBroker {
 public:
  virtual ~HostBroker() = default;
  // The running application object, or the platform's error (with its description).
  virtual Result<DispatchPtr> findRunning(std::string_view progId) = 0;
  // Of several running hosts' main windows (handles as the hosts report
  // them), the index of the one highest in the desktop's z-order: the one
  // the drafter used last. None when that cannot be told.
  virtual std::optional<std::size_t> frontmost(std::span<const std::int64_t> windows) {
    (void)windows;
    return std::nullopt;
  }
};

inline constexpr std::string_view kAcadProgId = "AutoCAD.Application";
inline constexpr std::string_view kExcelProgId = "Excel.Application";

}  // namespace plotmate
