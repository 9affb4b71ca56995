#include "sim/com/running_object.h"

#include <oleauto.h>

#include "hosts/com/error_text.h"

namespace plotmate::com {

Result<RunningObject> RunningObject::publish(IDispatch* object, const CLSID& clsid) {
  RunningObject entry;
  if (HRESULT hr = RegisterActiveObject(object, clsid, ACTIVEOBJECT_STRONG, &entry.cookie_);
      FAILED(hr))
    return std::unexpected(errorFromHresult(hr));
  entry.live_ = true;
  return entry;
}

void RunningObject::revoke() {
  if (live_) RevokeActiveObject(cookie_, nullptr);
  live_ = false;
}

}  // namespace plotmate::com
