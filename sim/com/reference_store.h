#pragma once
// The server side of a by-reference argument: a member's output written where
// the caller's VARIANT points.

#include <windows.h>

#include <oaidl.h>

#include "hosts/variant.h"

namespace plotmate::com {

// Writes `value` where the by-reference VARIANT `reference` points, converting
// to the referenced type and freeing what was there.
Result<void> storeThroughReference(const Variant& value, const VARIANT& reference);

}  // namespace plotmate::com
