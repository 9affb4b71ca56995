#include "sim/drawing/dxf_text.h"

#include <charconv>

#include "hosts/dispatch.h"
#include "hosts/utf8.h"

namespace plotmate::sim {

namespace {

// Windows-1252 bytes 0x80..0x9F; the rest of the upper half is Latin-1.
// Unassigned bytes map to U+FFFD.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

char32_t fromCp1252(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

bool isValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (!readUtf8(text, i)) return false;
  }
  return true;
}

std::u32string bytesToCodePoints(std::string_view raw, DxfEncoding encoding, bool& undecoded) {
  std::u32string out;
  out.reserve(raw.size());
  if (encoding == DxfEncoding::OtherCodePage && isValidUtf8(raw)) encoding = DxfEncoding::Utf8;
  for (std::size_t i = 0; i < raw.size();) {
    const auto byte = static_cast<unsigned char>(raw[i]);
    if (byte < 0x80) {
      out += byte;
      ++i;
    } else if (encoding == DxfEncoding::Utf8) {
      // A stray byte in a UTF-8 file is most likely a code-page character
      // written by an older program.
      const std::size_t at = i;
      auto c = readUtf8(raw, i);
      out += c ? *c : fromCp1252(static_cast<unsigned char>(raw[at]));
    } else if (encoding == DxfEncoding::Windows1252) {
      out += fromCp1252(byte);
      ++i;
    } else {
      out += U'\uFFFD';
      undecoded = true;
      ++i;
    }
  }
  return out;
}

std::optional<char32_t> hexEscape(const std::u32string& s, std::size_t at) {
  // "\U+XXXX" at s[at]
  if (at + 7 > s.size() || s[at] != '\\' || (s[at + 1] != 'U' && s[at + 1] != 'u') || s[at + 2] != '+') {
    return std::nullopt;
  }
  char32_t value = 0;
  for (std::size_t k = at + 3; k < at + 7; ++k) {
    const char32_t c = s[k];
    int digit = c >= '0' && c <= '9' ? int(c - '0') : c >= 'A' && c <= 'F' ? int(c - 'A' + 10) : c >= 'a' && c <= 'f' ? int(c - 'a' + 10) : -1;
    if (digit < 0) return std::nullopt;
    value = value * 16 + char32_t(digit);
  }
  return value;
}

}  // namespace

DxfEncoding dxfEncodingOf(std::string_view acadVersion, std::string_view codePage) {
  // AC1021 (AutoCAD 2007) and later files are UTF-8 whatever the code page says.
  if (acadVersion.size() == 6 && acadVersion.starts_with("AC") && acadVersion >= "AC1021") return DxfEncoding::Utf8;
  const std::string page = lowerAscii(codePage);
  if (page.empty() || page == "ansi_1252" || page == "dos437" || page == "iso8859-1") return DxfEncoding::Windows1252;
  return DxfEncoding::OtherCodePage;
}

std::string decodeDxfText(std::string_view raw, DxfEncoding encoding, bool& undecoded) {
  // Plain ASCII without escapes is by far the most common value: no copy work.
  bool plain = true;
  for (char c : raw) {
    if (static_cast<unsigned char>(c) >= 0x80 || c == '\\' || c == '^') {
      plain = false;
      break;
    }
  }
  if (plain) return std::string(raw);

  const std::u32string s = bytesToCodePoints(raw, encoding, undecoded);
  std::string out;
  out.reserve(raw.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (auto c = hexEscape(s, i)) {
      i += 6;
      if (*c >= 0xD800 && *c <= 0xDBFF) {
        auto low = hexEscape(s, i + 1);
        if (low && *low >= 0xDC00 && *low <= 0xDFFF) {
          appendUtf8(out, 0x10000 + ((*c - 0xD800) << 10) + (*low - 0xDC00));
          i += 7;
          continue;
        }
      }
      appendUtf8(out, *c);
    } else if (s[i] == '^' && i + 1 < s.size() && (s[i + 1] == ' ' || (s[i + 1] >= '@' && s[i + 1] <= '_'))) {
      appendUtf8(out, s[i + 1] == ' ' ? U'^' : s[i + 1] - 64);
      ++i;
    } else {
      appendUtf8(out, s[i]);
    }
  }
  return out;
}

std::string encodeDxfText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  auto escape = [&](char32_t c) {
    char digits[8];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, static_cast<unsigned>(c), 16);
    out += "\\U+";
    out.append(4 - std::min<std::size_t>(4, end - digits), '0');
    for (char* d = digits; d != end; ++d) out += (*d >= 'a' && *d <= 'f') ? char(*d - 'a' + 'A') : *d;
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t at = i;
    const char32_t c = readUtf8(utf8, i).value_or(kReplacementCharacter);
    if (c < 0x20) {
      out += '^';
      out += static_cast<char>(c + 64);
    } else if (c == '^') {
      out += "^ ";
    } else if (c == '\\' && (utf8.substr(at + 1, 2) == "U+" || utf8.substr(at + 1, 2) == "u+" || utf8.substr(at + 1, 2) == "M+")) {
      escape(c);  // a literal backslash that would read back as an escape
    } else if (c < 0x7F) {
      out += static_cast<char>(c);
    } else if (c > 0xFFFF) {
      escape(0xD800 + ((c - 0x10000) >> 10));
      escape(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      escape(c);
    }
  }
  return out;
}

}  // namespace plotmate::sim
