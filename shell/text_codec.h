#pragma once
// Conversion between the program's inside text (UTF-8) and the bytes of a
// text file it shares with the user ("config" holds the system's ANSI code
// page on Windows). A character that the other side cannot hold is replaced,
// never dropped without a word: the result says so, and the caller decides
// whether to warn.

#include <string>
#include <string_view>

#include "base/result.h"

namespace plotmate {

struct ConvertedText {
  std::string text;
  bool lossy = false;  // some character was replaced by a stand-in
};

class TextCodec {
 public:
  virtual ~TextCodec() = default;
  virtual Result<ConvertedText> toFile(std::string_view utf8) const = 0;
  virtual Result<ConvertedText> fromFile(std::string_view bytes) const = 0;
};

// File bytes that are UTF-8 themselves: the codec of native builds (where the
// system's text encoding is UTF-8) and of files that start with a UTF-8 byte
// order mark. Both directions pass valid UTF-8 through unchanged and replace
// each byte of an invalid sequence with U+FFFD.
class Utf8Codec final : public TextCodec {
 public:
  Result<ConvertedText> toFile(std::string_view utf8) const override;
  Result<ConvertedText> fromFile(std::string_view bytes) const override;
};

// `text` with every byte that does not belong to a valid UTF-8 sequence
// replaced by U+FFFD.
ConvertedText repairUtf8(std::string_view text);

}  // namespace plotmate
