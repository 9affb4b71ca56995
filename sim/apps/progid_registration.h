#pragma once
// ProgID -> CLSID entries so that CLSIDFromProgID finds a stand-in under the
// real host's name inside the private prefix.
//
// Windows reads HKEY_CLASSES_ROOT as the user's classes (HKCU\Software\Classes)
// over the machine's; Wine's COM reads only the machine's
// (HKLM\Software\Classes). The entry is therefore written to both: the user's
// must succeed, the machine's may be refused (no administrator rights on
// Windows), where the user's is enough.

#include <string_view>

#include "base/result.h"

namespace plotmate::sim {

// `clsid` in registry form: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
Result<void> registerProgId(std::string_view progId, std::string_view clsid);
Result<void> unregisterProgId(std::string_view progId);

}  // namespace plotmate::sim
