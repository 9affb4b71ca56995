#pragma once
// The Windows codec for "config" (built only for Windows): file bytes in an
// ANSI code page, the system's own (CP_ACP) unless a test names another.
// Characters the code page cannot hold are written as "?" and reported as
// lossy; best-fit look-alikes ("a" for "ā") are refused, since they too
// change the text without a word.

#include "shell/text_codec.h"

namespace plotmate {

class AnsiCodec final : public TextCodec {
 public:
  static constexpr unsigned kSystemCodePage = 0;  // CP_ACP

  explicit AnsiCodec(unsigned codePage = kSystemCodePage) : codePage_(codePage) {}

  Result<ConvertedText> toFile(std::string_view utf8) const override;
  Result<ConvertedText> fromFile(std::string_view bytes) const override;

 private:
  unsigned codePage_;
};

}  // namespace plotmate
