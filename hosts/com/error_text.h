#pragma once
// Turning a failed COM call into an Error whose description a drafter can
// read: the server's own EXCEPINFO text when there is one, else the system's
// message for the HRESULT.

#include <windows.h>

#include <oaidl.h>

#include <string>

#include "base/result.h"

namespace plotmate::com {

// FormatMessage's text for `code`, without the trailing line break. Wine has
// no text for most OLE and dispatch codes; those get a short text of our own
// followed by the code in hex, and an unknown code gets "Error 0x...".
std::string describeHresult(HRESULT code);
std::string hexCode(HRESULT code);

Error errorFromHresult(HRESULT code);
// Completes a deferred EXCEPINFO, takes its texts and frees them.
Error errorFromExcepInfo(EXCEPINFO& info);

}  // namespace plotmate::com
