#pragma once
// The program's UTF-8 texts at the Win32 boundary.

#include <string>
#include <string_view>

#include "hosts/utf16.h"

namespace plotmate::app {

inline std::wstring wide(std::string_view text) { return utf8ToUtf16<wchar_t>(text); }
inline std::string narrow(std::wstring_view text) { return utf16ToUtf8<wchar_t>(text); }

}  // namespace plotmate::app
