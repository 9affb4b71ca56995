#pragma once
// A host's own main window, as its application object reports it: the
// drawing host's HWND (a LONG_PTR), the spreadsheet host's Hwnd. Used to
// bring the attached host forward when no window carries the title the
// tools look for, and to tell which of several running hosts is in use.

#include <cstdint>
#include <optional>
#include <string_view>

#include "hosts/attach.h"
#include "hosts/host_programs.h"

namespace plotmate {

// A window handle from whatever integer kind the host answers (16- or
// 32-bit, or a wider integer that arrived as a double). Window handles carry
// 32 significant bits on every Windows, sign-extended in a 64-bit process,
// so a handle answered as an unsigned 32-bit number comes out as the same
// handle. None for zero, for a fraction, and for anything not a number.
std::optional<std::int64_t> windowHandle(const Variant& value);

// The main window handle of a host application; none when the call fails
// or answers no handle.
std::optional<std::int64_t> mainWindowOf(Dispatch& application, HostKind kind);

// The main window of the attached host that a tool brings forward under
// `title` (kAcadWindowTitle, kExcelWindowTitle); none for any other title
// and for a host the last attach did not find.
std::optional<std::int64_t> attachedHostWindow(const HostSession& session, std::string_view title);

}  // namespace plotmate
