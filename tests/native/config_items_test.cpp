#include "shell/config_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plotmate {
namespace {

std::vector<std::string> allItems(std::string_view bytes) {
  ConfigItemReader reader(bytes);
  std::vector<std::string> items;
  while (auto item = reader.next()) items.push_back(*item);
  return items;
}

TEST(ConfigItems, SplitsLinesIntoItems) {
  struct Case { const char* bytes; std::vector<std::string> items; };
  const Case cases[] = {
      {"", {}},
      {"\"YOX\",1\r\n", {"YOX", "1"}},
      {"\r\n\r\n", {"", ""}},                      // each empty line is one item
      {"a,\r\nb", {"a", "", "b"}},                 // a trailing comma promises an item
      {"a,", {"a", ""}},
      {"  \"k\"  ,  12  \r\n", {"k", "12"}},       // blanks around items
      {"\"a,b\",c", {"a,b", "c"}},                 // commas inside quotes
      {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
      {"\"\",\"\"\"\"", {"", "\""}},               // empty text; a lone quote
      {"\"a\"junk,b", {"a", "b"}},                 // text after the closing quote is dropped
      {"\"two\r\nlines\",x", {"two\r\nlines", "x"}},
      {"\"unclosed,x\r\ny", {"unclosed,x\r\ny"}},
      {"a\nb\r\r\nc\rd", {"a", "b", "c", "d"}},   // LF, CR CR LF and CR line ends
  };
  for (const auto& c : cases) EXPECT_EQ(allItems(c.bytes), c.items) << c.bytes;
}

TEST(ConfigItems, QuotedItemsReadBackExactly) {
  for (std::string_view text : {"", "\"", "\"\"", "a\"", "\"a", "x,\"y\",z", " lead", "\t"})
    EXPECT_EQ(allItems(quoteConfigItem(text)), std::vector<std::string>{std::string(text)})
        << text;
}

}  // namespace
}  // namespace plotmate
