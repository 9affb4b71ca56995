#pragma once
// BSTR ownership and the UTF-8 <-> UTF-16 edge: every text crosses COM and
// Win32 as UTF-16 and lives inside the program as UTF-8.

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>

#include "base/result.h"
#include "base/unique_owner.h"

namespace plotmate::com {

inline void freeBstr(BSTR text) { SysFreeString(text); }
// A BSTR of our own; `Bstr(text)` takes over one the caller owns.
using Bstr = UniqueOwner<BSTR, &freeBstr>;

std::wstring toWide(std::string_view utf8);
std::string fromWide(std::wstring_view wide);
// A BSTR's whole length counts (it may hold NULs); a null BSTR is "".
std::string fromBstr(BSTR text);
// Fails only when memory runs out.
Result<Bstr> makeBstr(std::string_view utf8);

}  // namespace plotmate::com
