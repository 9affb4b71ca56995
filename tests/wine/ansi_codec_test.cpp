#include "shell/ansi_codec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "shell/config_file.h"

namespace plotmate {
namespace {

constexpr unsigned kChineseGbk = 936;
constexpr unsigned kWesternEuropean = 1252;

TEST(AnsiCodec, ConvertsBetweenUtf8AndTheCodePage) {
  struct Case {
    unsigned codePage;
    std::string_view utf8;
    std::string_view bytes;
  };
  const Case cases[] = {
      {kChineseGbk, "桩号,中文", "\xD7\xAE\xBA\xC5,\xD6\xD0\xCE\xC4"},
      {kChineseGbk, "", ""},
      {kWesternEuropean, "café", "caf\xE9"},
      {AnsiCodec::kSystemCodePage, "-insert,blk,\"0\" $", "-insert,blk,\"0\" $"},
  };
  for (const auto& c : cases) {
    const AnsiCodec codec(c.codePage);
    auto bytes = codec.toFile(c.utf8);
    ASSERT_TRUE(bytes) << bytes.error().description;
    EXPECT_EQ(bytes->text, c.bytes) << c.utf8;
    EXPECT_FALSE(bytes->lossy) << c.utf8;
    auto utf8 = codec.fromFile(c.bytes);
    ASSERT_TRUE(utf8) << utf8.error().description;
    EXPECT_EQ(utf8->text, c.utf8);
    EXPECT_FALSE(utf8->lossy) << c.utf8;
  }
}

TEST(AnsiCodec, ReportsWhatTheCodePageCannotHold) {
  struct Case {
    unsigned codePage;
    std::string_view utf8;
    std::string_view bytes;
  };
  const Case cases[] = {
      {kChineseGbk, "a\u0E01b", "a?b"},  // Thai ko kai
      {kWesternEuropean, "中", "?"},
      {kWesternEuropean, "ā", "?"},  // no silent best-fit "a"
      {kWesternEuropean, "x\xFF", "x?"},  // invalid UTF-8 inside
  };
  for (const auto& c : cases) {
    auto bytes = AnsiCodec(c.codePage).toFile(c.utf8);
    ASSERT_TRUE(bytes) << bytes.error().description;
    EXPECT_EQ(bytes->text, c.bytes) << c.utf8;
    EXPECT_TRUE(bytes->lossy) << c.utf8;
  }
  auto broken = AnsiCodec(kChineseGbk).fromFile("ok\x81");  // a lead byte without its trail
  ASSERT_TRUE(broken);
  EXPECT_TRUE(broken->lossy);
  EXPECT_EQ(broken->text.substr(0, 2), "ok");

  EXPECT_FALSE(AnsiCodec(12345).toFile("x"));  // no such code page
}

TEST(AnsiCodec, ConfigHoldsGbkBytes) {
  namespace fs = std::filesystem;
  const fs::path path = fs::temp_directory_path() /
                        ("plotmate_gbk_config_" + std::to_string(std::random_device()()));
  const AnsiCodec gbk(kChineseGbk);
  Settings saved;
  saved.command = "桩号";
  ASSERT_TRUE(SaveConfig(path, gbk, saved));
  ASSERT_TRUE(SaveConfig(path, gbk, saved));  // renames over the existing file
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  in.close();
  EXPECT_NE(bytes.str().find("\"command\",\"\xD7\xAE\xBA\xC5\"\r\n"), std::string::npos);
  Settings loaded;
  ASSERT_TRUE(LoadConfig(path, gbk, loaded));
  EXPECT_EQ(loaded, saved);
  fs::remove(path);
}

}  // namespace
}  // namespace plotmate
