#include "shell/config_items.h"

namespace plotmate {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isSeparator(char c) { return c == ',' || isLineEnd(c); }

}  // namespace

std::optional<std::string> ConfigItemReader::next() {
  if (rest_.empty() && !itemPromised_) return std::nullopt;
  while (!rest_.empty() && isBlank(rest_.front())) rest_.remove_prefix(1);
  std::string item = !rest_.empty() && rest_.front() == '"' ? quotedItem() : unquotedItem();
  consumeSeparator();
  return item;
}

std::string ConfigItemReader::quotedItem() {
  rest_.remove_prefix(1);  // the opening quote
  std::string item;
  for (;;) {
    const auto quote = rest_.find('"');
    item += rest_.substr(0, quote);
    if (quote == std::string_view::npos) {  // unclosed: the item runs to the end
      rest_ = {};
      return item;
    }
    rest_.remove_prefix(quote + 1);
    if (rest_.empty() || rest_.front() != '"') break;
    item += '"';  // a doubled quote
    rest_.remove_prefix(1);
  }
  skipToSeparator();
  return item;
}

std::string ConfigItemReader::unquotedItem() {
  std::size_t end = 0;
  while (end < rest_.size() && !isSeparator(rest_[end])) ++end;
  std::string_view item = rest_.substr(0, end);
  rest_.remove_prefix(end);
  while (!item.empty() && isBlank(item.back())) item.remove_suffix(1);
  return std::string(item);
}

void ConfigItemReader::skipToSeparator() {
  while (!rest_.empty() && !isSeparator(rest_.front())) rest_.remove_prefix(1);
}

void ConfigItemReader::consumeSeparator() {
  itemPromised_ = !rest_.empty() && rest_.front() == ',';
  if (itemPromised_) {
    rest_.remove_prefix(1);
    return;
  }
  while (!rest_.empty() && rest_.front() == '\r') rest_.remove_prefix(1);
  if (!rest_.empty() && rest_.front() == '\n') rest_.remove_prefix(1);
}

std::string quoteConfigItem(std::string_view bytes) {
  std::string out = "\"";
  for (char c : bytes) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

}  // namespace plotmate
