#pragma once
// The item form of "config": lines of items separated by commas, texts in
// double quotes. The file is read as one stream of items, whatever its lines
// hold, so a hand-edited key or section name never matters.

#include <optional>
#include <string>
#include <string_view>

namespace plotmate {

// Items, in order:
// - items end at a comma or a line end (CR LF, LF, or CR; several CRs before
//   an LF count as one line end); an empty line is one empty item;
// - blanks (spaces, tabs) before an item are skipped, and after an unquoted one;
// - a quoted item runs to its closing double quote, across line ends, and
//   loses its quotes; a doubled quote inside stands for one quote; anything
//   between the closing quote and the next separator is dropped.
class ConfigItemReader {
 public:
  explicit ConfigItemReader(std::string_view bytes) : rest_(bytes) {}

  // The next item, or nothing once the bytes are used up.
  std::optional<std::string> next();

 private:
  std::string quotedItem();
  std::string unquotedItem();
  void skipToSeparator();
  void consumeSeparator();

  std::string_view rest_;
  bool itemPromised_ = false;  // a comma was read: one more item follows, if only empty
};

// `bytes` in double quotes, each quote inside doubled, so that the reader gives
// back exactly `bytes`.
std::string quoteConfigItem(std::string_view bytes);

}  // namespace plotmate
