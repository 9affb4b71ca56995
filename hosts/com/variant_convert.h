#pragma once
// Variant <-> VARIANT.
//
// Out: texts as BSTR; a missing argument as VT_ERROR DISP_E_PARAMNOTFOUND;
// a list whose items are all doubles (points) as VT_ARRAY|VT_R8, all 16-bit
// or all 32-bit integers (selection filter codes) as VT_ARRAY|VT_I2 or
// VT_ARRAY|VT_I4, any other list as VT_ARRAY|VT_VARIANT (objects inside as
// VT_DISPATCH); a grid as a 1-based 2-D array of VARIANT, rows first, as a
// range's Value.
//
// In: every scalar kind a host may send. VT_NULL reads as Empty. VT_DATE,
// VT_CY, VT_DECIMAL, VT_R4 read as double (a date as its serial day number,
// the same number a cell's Value2 gives); unsigned and 64-bit integers as
// int32 when they fit, else double. VT_ERROR is a CellError, except
// DISP_E_PARAMNOTFOUND which is Missing. Arrays of any element type and any
// lower bound read as lists (1-D) or grids (2-D); by-reference values are
// read through.

#include <windows.h>

#include <oaidl.h>

#include <string>

#include "hosts/com/host_link.h"
#include "hosts/variant.h"

namespace plotmate::com {

// `out` must be empty (VT_EMPTY); on failure it is left empty.
Result<void> toVariant(const Variant& value, VARIANT& out);
// Remote objects inside `in` are called through `link`'s host.
Result<Variant> fromVariant(const VARIANT& in, const HostLinkPtr& link);
// A conversion that cannot be made, as the dispatcher names it.
Error mismatch(std::string what);
// A VARTYPE as a message names it ("VARIANT type 0x2005").
std::string typeName(VARTYPE vt);

}  // namespace plotmate::com
