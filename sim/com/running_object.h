#pragma once
// A server's entry in the Running Object Table, under the CLSID its ProgID
// names, held strongly (as a running application registers itself) and
// revoked when the owner goes.

#include <windows.h>

#include <oaidl.h>

#include <utility>

#include "base/result.h"

namespace plotmate::com {

class RunningObject {
 public:
  static Result<RunningObject> publish(IDispatch* object, const CLSID& clsid);
  RunningObject(RunningObject&& other) noexcept
      : cookie_(std::exchange(other.cookie_, 0)), live_(std::exchange(other.live_, false)) {}
  RunningObject& operator=(RunningObject&&) = delete;
  RunningObject(const RunningObject&) = delete;
  ~RunningObject() { revoke(); }
  void revoke();

 private:
  RunningObject() = default;
  DWORD cookie_ = 0;
  bool live_ = false;
};

}  // namespace plotmate::com
