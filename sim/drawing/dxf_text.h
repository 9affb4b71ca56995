#pragma once
// Text values of DXF files: from the file's encoding to UTF-8 and back.
// Files of AutoCAD 2007 (AC1021) and later are UTF-8; older ones use the
// code page named by $DWGCODEPAGE. Every release writes characters outside
// that code page as \U+XXXX, and control characters as ^ and a letter
// (^J for a line feed, "^ " for the caret itself).

#include <string>
#include <string_view>

namespace plotmate::sim {

enum class DxfEncoding {
  Utf8,          // AC1021 and later
  Windows1252,   // ANSI_1252, and older files that name no code page
  OtherCodePage, // a code page this host has no table for: ASCII only
};

// The encoding of a file from its $ACADVER and $DWGCODEPAGE values.
DxfEncoding dxfEncodingOf(std::string_view acadVersion, std::string_view codePage);

// A text value as UTF-8. Bytes that cannot be decoded become U+FFFD (never
// lost silently: `undecoded` is set so the loader can say so); escapes are
// resolved.
std::string decodeDxfText(std::string_view raw, DxfEncoding encoding, bool& undecoded);

// A UTF-8 text as a value line of an ASCII file in the Windows-1252 code
// page: ASCII as it is, every other character as \U+XXXX, control
// characters in caret form, so a value never breaks the line structure.
std::string encodeDxfText(std::string_view utf8);

}  // namespace plotmate::sim
