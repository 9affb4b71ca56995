#include "sim/com/running_object.h"

#include <oleauto.h>

#include "hosts/com/error_text.h"

namespace plotmate::com {

void revokeRunningObject(std::optional<DWORD>& cookie) {
  if (cookie) RevokeActiveObject(*cookie, nullptr);
  cookie.reset();
}

Result<RunningObject> publishRunningObject(IDispatch* object, const CLSID& clsid) {
  DWORD cookie = 0;
  if (HRESULT hr = RegisterActiveObject(object, clsid, ACTIVEOBJECT_STRONG, &cookie); FAILED(hr))
    return std::unexpected(errorFromHresult(hr));
  return RunningObject(cookie);
}

}  // namespace plotmate::com
