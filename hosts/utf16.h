#pragma once
// UTF-8 <-> UTF-16 for the Win32 and COM boundaries. Templated on the 16-bit
// code unit so the same code serves char16_t (portable) and wchar_t (Windows)
// without casting between them. Malformed input never throws and never drops
// the rest of the text: each bad sequence becomes U+FFFD, as Windows' own
// converters do.

#include <cstddef>
#include <string>
#include <string_view>

#include "hosts/utf8.h"

namespace plotmate {

template <class Char16>
std::basic_string<Char16> utf8ToUtf16(std::string_view text) {
  static_assert(sizeof(Char16) == 2);
  std::basic_string<Char16> out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = readUtf8(text, i).value_or(kReplacementCharacter);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<Char16>(0xD800 + (cp >> 10));
      out += static_cast<Char16>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<Char16>(cp);
    }
  }
  return out;
}

template <class Char16>
std::string utf16ToUtf8(std::basic_string_view<Char16> text) {
  static_assert(sizeof(Char16) == 2);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t unit = static_cast<char16_t>(text[i]);
    char32_t cp = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) {
      char32_t low = static_cast<char16_t>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    // A surrogate left unpaired has no UTF-8 form.
    if (cp >= 0xD800 && cp <= 0xDFFF) cp = kReplacementCharacter;
    appendUtf8(out, cp);
  }
  return out;
}

}  // namespace plotmate
