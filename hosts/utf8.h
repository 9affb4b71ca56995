#pragma once
// UTF-8 code points, tolerant of bad input: our texts are UTF-8, but files,
// hosts and callers may hand over anything.

#include <optional>
#include <string>
#include <string_view>

namespace plotmate {

// U+FFFD, what a sequence that is no character becomes.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point starting at text[pos], advancing pos past it; nothing (pos
// advanced by one byte) when the bytes there are not a valid UTF-8 sequence.
std::optional<char32_t> readUtf8(std::string_view text, std::size_t& pos);

// Appends a code point as UTF-8 (surrogates and values beyond U+10FFFF as U+FFFD).
void appendUtf8(std::string& out, char32_t c);

}  // namespace plotmate
