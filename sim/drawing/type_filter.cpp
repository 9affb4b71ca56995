#include "sim/drawing/type_filter.h"

#include <cstdint>
#include <vector>

#include "hosts/utf8.h"

namespace plotmate::sim {

std::string_view dxfTypeName(EntityKind kind) {
  switch (kind) {
    case EntityKind::Line: return "LINE";
    case EntityKind::LwPolyline: return "LWPOLYLINE";
    case EntityKind::Polyline2d:
    case EntityKind::Polyline3d: return "POLYLINE";  // one DXF type, told apart by its flags
    case EntityKind::Circle: return "CIRCLE";
    case EntityKind::Arc: return "ARC";
    case EntityKind::Text: return "TEXT";
    case EntityKind::MText: return "MTEXT";
    case EntityKind::Point: return "POINT";
    case EntityKind::BlockRef: return "INSERT";
    case EntityKind::Region: return "REGION";
  }
  return "";
}

namespace {

// Code points of a UTF-8 text; a byte that does not start a valid sequence
// stands for itself, so any input can be matched.
std::vector<char32_t> codePoints(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t at = i;
    out.push_back(readUtf8(text, i).value_or(static_cast<unsigned char>(text[at])));
  }
  return out;
}

char32_t fold(char32_t c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }
bool isDigit(char32_t c) { return c >= '0' && c <= '9'; }
// Letters beyond ASCII (Chinese names of blocks and layers) count as alphabetic.
bool isAlpha(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c > 0x7F; }

struct Token {
  enum Kind { Star, Any, Digit, Alpha, NonAlnum, Literal, Set } kind = Literal;
  char32_t literal = 0;
  bool negated = false;
  std::vector<std::pair<char32_t, char32_t>> ranges;  // Set

  bool accepts(char32_t c) const {
    switch (kind) {
      case Any: return true;
      case Digit: return isDigit(c);
      case Alpha: return isAlpha(c);
      case NonAlnum: return !isDigit(c) && !isAlpha(c);
      case Literal: return fold(c) == fold(literal);
      case Set: {
        bool in = false;
        for (auto [low, high] : ranges) {
          if ((fold(c) >= fold(low) && fold(c) <= fold(high)) || (c >= low && c <= high)) in = true;
        }
        return in != negated;
      }
      case Star: return false;
    }
    return false;
  }
};

Token token(Token::Kind kind, char32_t literal = 0) {
  Token t;
  t.kind = kind;
  t.literal = literal;
  return t;
}

// One alternative of a pattern (no top-level commas), already split.
std::vector<Token> tokenize(const std::vector<char32_t>& p) {
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const char32_t c = p[i];
    switch (c) {
      case '*':
        if (tokens.empty() || tokens.back().kind != Token::Star) tokens.push_back(token(Token::Star));
        break;
      case '?': tokens.push_back(token(Token::Any)); break;
      case '#': tokens.push_back(token(Token::Digit)); break;
      case '@': tokens.push_back(token(Token::Alpha)); break;
      case '.': tokens.push_back(token(Token::NonAlnum)); break;
      case '`':
        // The reverse quote takes the next character literally (a trailing one stands for itself).
        tokens.push_back(token(Token::Literal, i + 1 < p.size() ? p[++i] : c));
        break;
      case '[': {
        std::size_t j = i + 1;
        Token set = token(Token::Set);
        if (j < p.size() && p[j] == '~') {
          set.negated = true;
          ++j;
        }
        bool first = true;
        for (; j < p.size() && (p[j] != ']' || first); ++j, first = false) {
          char32_t low = p[j];
          if (low == '`' && j + 1 < p.size()) low = p[++j];
          if (j + 2 < p.size() && p[j + 1] == '-' && p[j + 2] != ']') {
            set.ranges.emplace_back(low, p[j + 2]);
            j += 2;
          } else {
            set.ranges.emplace_back(low, low);
          }
        }
        if (j >= p.size()) {
          tokens.push_back(token(Token::Literal, c));  // no closing bracket: "[" is an ordinary character
        } else {
          tokens.push_back(std::move(set));
          i = j;
        }
        break;
      }
      default: tokens.push_back(token(Token::Literal, c));
    }
  }
  return tokens;
}

// Glob matching with backtracking to the last star: linear in practice.
bool matchTokens(const std::vector<Token>& tokens, const std::vector<char32_t>& name) {
  std::size_t t = 0, n = 0, starToken = SIZE_MAX, starName = 0;
  while (n < name.size()) {
    if (t < tokens.size() && tokens[t].kind == Token::Star) {
      starToken = t++;
      starName = n;
    } else if (t < tokens.size() && tokens[t].accepts(name[n])) {
      ++t;
      ++n;
    } else if (starToken != SIZE_MAX) {
      t = starToken + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (t < tokens.size() && tokens[t].kind == Token::Star) ++t;
  return t == tokens.size();
}

// Splits at commas that are neither escaped nor inside brackets.
std::vector<std::vector<char32_t>> alternatives(const std::vector<char32_t>& pattern) {
  std::vector<std::vector<char32_t>> parts(1);
  bool inSet = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char32_t c = pattern[i];
    if (c == '`' && i + 1 < pattern.size()) {
      parts.back().push_back(c);
      parts.back().push_back(pattern[++i]);
      continue;
    }
    if (c == '[') inSet = true;
    if (c == ']') inSet = false;
    if (c == ',' && !inSet) {
      parts.emplace_back();
    } else {
      parts.back().push_back(c);
    }
  }
  return parts;
}

}  // namespace

bool matchesWildcard(std::string_view pattern, std::string_view name) {
  const std::vector<char32_t> text = codePoints(name);
  for (std::vector<char32_t>& part : alternatives(codePoints(pattern))) {
    // A leading "~" turns the alternative into "anything but this".
    const bool negated = !part.empty() && part.front() == '~';
    if (negated) part.erase(part.begin());
    if (matchTokens(tokenize(part), text) != negated) return true;
  }
  return false;
}

bool matchesTypeFilter(std::string_view pattern, EntityKind kind) {
  return matchesWildcard(pattern, dxfTypeName(kind));
}

}  // namespace plotmate::sim
