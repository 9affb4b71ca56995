#include "hosts/utf16.h"

#include <gtest/gtest.h>

namespace plotmate {
namespace {

struct RoundTrip { const char* name; std::string utf8; std::u16string utf16; };

TEST(Utf16, WellFormedTextConvertsBothWays) {
  const RoundTrip cases[] = {
      {"empty", "", u""},
      {"ascii", "Pick point:", u"Pick point:"},
      {"embedded NUL kept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
      {"two-byte", "\xC3\xA9", u"\u00E9"},
      {"attach message", "AutoCAD\xE5\x8F\xAF\xE8\x83\xBD\xE6\x9C\xAA\xE6\x89\x93\xE5\xBC\x80\xEF\xBC\x81", u"AutoCAD可能未打开！"},
      {"last BMP character", "\xEF\xBF\xBF", u"\uFFFF"},
      {"surrogate pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8ToUtf16<char16_t>(c.utf8), c.utf16) << c.name;
    EXPECT_EQ(utf16ToUtf8<char16_t>(c.utf16), c.utf8) << c.name;
  }
}

struct Malformed { const char* name; std::string utf8; std::u16string expected; };

// Every bad sequence becomes one U+FFFD and the text after it survives.
TEST(Utf16, MalformedUtf8BecomesReplacementCharacters) {
  const Malformed cases[] = {
      {"stray continuation", "a\x80z", u"a\uFFFDz"},
      {"truncated at end", "a\xE6\x89", u"a\uFFFD\uFFFD"},
      {"truncated before ascii", "\xE6\x89z", u"\uFFFD\uFFFDz"},
      {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"overlong three-byte", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"invalid lead", "\xFF", u"\uFFFD"},
  };
  for (const auto& c : cases) EXPECT_EQ(utf8ToUtf16<char16_t>(c.utf8), c.expected) << c.name;
}

TEST(Utf16, UnpairedSurrogatesBecomeReplacementCharacters) {
  const std::u16string lone_high(u"a\xD800z");
  const std::u16string lone_low(u"\xDC00");
  const std::u16string high_at_end(u"\xD83D");
  const std::u16string reversed_pair(u"\xDE00\xD83D");
  EXPECT_EQ(utf16ToUtf8<char16_t>(lone_high), "a\xEF\xBF\xBDz");
  EXPECT_EQ(utf16ToUtf8<char16_t>(lone_low), "\xEF\xBF\xBD");
  EXPECT_EQ(utf16ToUtf8<char16_t>(high_at_end), "\xEF\xBF\xBD");
  EXPECT_EQ(utf16ToUtf8<char16_t>(reversed_pair), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace plotmate
