#include "shell/text_codec.h"

#include <gtest/gtest.h>

namespace plotmate {
namespace {

TEST(Utf8Codec, KeepsValidTextAndReplacesInvalidBytes) {
  struct Case { std::string_view in; std::string_view out; bool lossy; };
  const Case cases[] = {
      {"", "", false},
      {"text,$ -1", "text,$ -1", false},
      {"中文 é 😀", "中文 é 😀", false},
      {"a\xFF" "b", "a\uFFFD" "b", true},
      {"\xC0\xAF", "\uFFFD\uFFFD", true},          // overlong "/"
      {"\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD", true},  // a UTF-16 surrogate
      {"\xF4\x90\x80\x80", "\uFFFD\uFFFD\uFFFD\uFFFD", true},  // above U+10FFFF
      {"\xE4\xB8", "\uFFFD\uFFFD", true},           // cut short
  };
  const Utf8Codec codec;
  for (const auto& c : cases) {
    for (auto converted : {codec.toFile(c.in), codec.fromFile(c.in)}) {
      ASSERT_TRUE(converted.has_value());
      EXPECT_EQ(converted->text, c.out) << c.in;
      EXPECT_EQ(converted->lossy, c.lossy) << c.in;
    }
  }
}

}  // namespace
}  // namespace plotmate
