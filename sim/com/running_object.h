#pragma once
// A server's entry in the Running Object Table, under the CLSID its ProgID
// names, held strongly (as a running application registers itself) and
// revoked when the owner goes.

#include <windows.h>

#include <oaidl.h>

#include <optional>

#include "base/result.h"
#include "base/unique_owner.h"

namespace plotmate::com {

void revokeRunningObject(std::optional<DWORD>& cookie);
// The table's cookie for the entry; nothing once revoked.
using RunningObject = UniqueOwner<std::optional<DWORD>, &revokeRunningObject>;

Result<RunningObject> publishRunningObject(IDispatch* object, const CLSID& clsid);

}  // namespace plotmate::com
