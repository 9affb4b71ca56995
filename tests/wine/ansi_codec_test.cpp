#include "shell/ansi_codec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <utility>
#include <vector>

#include "shell/config_file.h"
#include "tests/native/scratch_directory.h"

namespace plotmate {
namespace {

constexpr unsigned kChineseGbk = 936;
constexpr unsigned kWesternEuropean = 1252;

// Each text goes to the code page and, where nothing was lost, back again.
TEST(AnsiCodec, ConvertsBetweenUtf8AndTheCodePageAndReportsWhatItCannotHold) {
  struct Case { unsigned codePage; std::string_view utf8; std::string_view bytes; bool lossy; };
  const Case cases[] = {
      {kChineseGbk, "桩号,中文", "\xD7\xAE\xBA\xC5,\xD6\xD0\xCE\xC4", false},
      {kChineseGbk, "", "", false},
      {kWesternEuropean, "café", "caf\xE9", false},
      {AnsiCodec::kSystemCodePage, "-insert,blk,\"0\" $", "-insert,blk,\"0\" $", false},
      {kChineseGbk, "a\u0E01b", "a?b", true},  // Thai ko kai
      {kWesternEuropean, "中", "?", true},
      {kWesternEuropean, "ā", "?", true},  // no silent best-fit "a"
      {kWesternEuropean, "x\xFF", "x?", true},  // invalid UTF-8 inside
  };
  for (const auto& c : cases) {
    const AnsiCodec codec(c.codePage);
    auto bytes = codec.toFile(c.utf8);
    ASSERT_TRUE(bytes) << bytes.error().description;
    EXPECT_EQ(bytes->text, c.bytes) << c.utf8;
    EXPECT_EQ(bytes->lossy, c.lossy) << c.utf8;
    if (c.lossy) continue;
    auto utf8 = codec.fromFile(c.bytes);
    ASSERT_TRUE(utf8) << utf8.error().description;
    EXPECT_EQ(utf8->text, c.utf8);
    EXPECT_FALSE(utf8->lossy) << c.utf8;
  }
  auto broken = AnsiCodec(kChineseGbk).fromFile("ok\x81");  // a lead byte without its trail
  ASSERT_TRUE(broken);
  EXPECT_TRUE(broken->lossy);
  EXPECT_EQ(broken->text.substr(0, 2), "ok");

  EXPECT_FALSE(AnsiCodec(12345).toFile("x"));  // no such code page
}

class AnsiConfig : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove(path_); }
  std::string fileBytes() const { return testing_support::fileBytes(path_); }
  const std::filesystem::path path_ = std::filesystem::temp_directory_path() /
      ("plotmate_ansi_config_" + std::to_string(std::random_device()()));
};

TEST_F(AnsiConfig, TextsAreStoredInTheCodePage) {
  const AnsiCodec gbk(kChineseGbk);
  Settings saved;
  saved.command = "桩号";
  ASSERT_TRUE(SaveConfig(path_, gbk, saved));
  ASSERT_TRUE(SaveConfig(path_, gbk, saved));  // renames over the existing file
  EXPECT_NE(fileBytes().find("\"command\",\"\xD7\xAE\xBA\xC5\"\r\n"), std::string::npos);
  Settings loaded;
  ASSERT_TRUE(LoadConfig(path_, gbk, loaded));
  EXPECT_EQ(loaded, saved);

  const AnsiCodec western(kWesternEuropean);
  saved.command = "café", saved.EnterMark = "桩";
  auto written = SaveConfig(path_, western, saved);
  ASSERT_TRUE(written);
  EXPECT_EQ(written->lossy, std::vector<std::string_view>{"EnterMark"});
  EXPECT_NE(fileBytes().find("\"caf\xE9\"\r\n\"EnterMark\",\"?\""), std::string::npos);
}

TEST_F(AnsiConfig, FileWithByteOrderMarkIsReadAsUtf8) {
  Settings saved;
  saved.command = "café";
  ASSERT_TRUE(SaveConfig(path_, Utf8Codec(), saved));
  const std::string utf8File = fileBytes();
  for (const auto& [bytes, command] : {std::pair<std::string, std::string>{utf8File, "cafÃ©"},
                                       {"\xEF\xBB\xBF" + utf8File, "café"}}) {
    testing_support::writeFileBytes(path_, bytes);
    Settings loaded;
    ASSERT_TRUE(LoadConfig(path_, AnsiCodec(kWesternEuropean), loaded));
    EXPECT_EQ(loaded.command, command);
  }
}

}  // namespace
}  // namespace plotmate
