#pragma once
// Finding a running host program by its automation class name
// ("AutoCAD.Application", "Excel.Application"). A broker only ever binds to
// an instance that is already running; it never starts one. On failure the
// error carries the platform's description, which the attach message shows.

#include <string_view>

#include "hosts/variant.h"

namespace plotmate {

class HostBroker {
 public:
  virtual ~HostBroker() = default;
  virtual Result<DispatchPtr> attachRunning(std::string_view progId) = 0;
};

}  // namespace plotmate
