#include "shell/text_codec.h"

#include <cstddef>

namespace plotmate {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

unsigned char byteAt(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]);
}

// Length of the well-formed UTF-8 sequence that starts `text`, or 0. Overlong
// forms, surrogates and code points above U+10FFFF are not well-formed.
std::size_t sequenceLength(std::string_view text) {
  const unsigned char lead = byteAt(text, 0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  if (byteAt(text, 1) < low || byteAt(text, 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byteAt(text, i) < 0x80 || byteAt(text, i) > 0xBF) return 0;
  return length;
}

}  // namespace

ConvertedText repairUtf8(std::string_view text) {
  ConvertedText out;
  out.text.reserve(text.size());
  while (!text.empty()) {
    std::size_t length = sequenceLength(text);
    if (length == 0) {
      out.text += kReplacementCharacter;
      out.lossy = true;
      length = 1;
    } else {
      out.text += text.substr(0, length);
    }
    text.remove_prefix(length);
  }
  return out;
}

Result<ConvertedText> Utf8Codec::toFile(std::string_view utf8) const { return repairUtf8(utf8); }

Result<ConvertedText> Utf8Codec::fromFile(std::string_view bytes) const {
  return repairUtf8(bytes);
}

}  // namespace plotmate
