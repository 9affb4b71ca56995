#pragma once
// Libraries from the Windows system folder only. A program unpacked into a
// Downloads folder sits beside whatever else was downloaded there: a DLL
// named like one that Windows, the common controls or COM load by name
// later (themes, fonts, proxies) would otherwise be found beside the
// executable or in the current directory first and run inside the process.

namespace plotmate::com {

// Call first thing in a process, before any window or COM call: every later
// load by name searches the system folder only, and the current directory
// never. False when the system refused (the default search then stays).
bool RestrictLibrarySearchToSystem();

}  // namespace plotmate::com
