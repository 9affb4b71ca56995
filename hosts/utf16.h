#pragma once
// UTF-8 <-> UTF-16 for the Win32 and COM boundaries. Templated on the 16-bit
// code unit so the same code serves char16_t (portable) and wchar_t (Windows)
// without casting between them. Malformed input never throws and never drops
// the rest of the text: each bad sequence becomes U+FFFD, as Windows' own
// converters do.

#include <cstddef>
#include <string>
#include <string_view>

namespace plotmate {

namespace utf16_detail {

inline constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at text[i], advancing i past it (or past one bad byte).
inline char32_t decodeUtf8(std::string_view text, std::size_t& i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i++);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
  if (extra < 0 || lead > 0xF4) return kReplacement;
  char32_t cp = lead & (0x3F >> extra);
  std::size_t k = i;
  for (int n = 0; n < extra; ++n, ++k) {
    if (k >= text.size() || (byte(k) & 0xC0) != 0x80) return kReplacement;
    cp = (cp << 6) | (byte(k) & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not characters.
  static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
  i = k;
  return cp;
}

inline void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace utf16_detail

template <class Char16>
std::basic_string<Char16> utf8ToUtf16(std::string_view text) {
  static_assert(sizeof(Char16) == 2);
  std::basic_string<Char16> out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = utf16_detail::decodeUtf8(text, i);
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
    if (cp >= 0xD800 && cp <= 0xDFFF) cp = utf16_detail::kReplacement;
    utf16_detail::appendUtf8(out, cp);
  }
  return out;
}

}  // namespace plotmate
