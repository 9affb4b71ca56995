#include "shell/config_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <variant>
#include <vector>

#include "shell/whole_file.h"
#include "tests/native/scratch_directory.h"

namespace plotmate {
namespace {

namespace fs = std::filesystem;

// Lines joined the way the file holds them: every line ends with CR LF.
std::string crlfLines(const std::vector<std::string>& lines, std::string_view end = "\r\n") {
  std::string text;
  for (const auto& line : lines) text += line + std::string(end);
  return text;
}

const std::vector<std::string> kZeroLines = {
    "\"[General]\"", "\"YOX\",0", "\"PREC\",0", "\"Tabs\",0", "",
    "\"[Dist]\"", "\"DX\",0", "\"DY\",0", "\"DI\",0", "",
    "\"[ID]\"", "\"X\",0", "\"Y\",0", "\"Z\",0", "\"T\",0", "",
    "\"[Pline]\"", "\"InterCoord\",0", "",
    "\"[SCR]\"", "\"command\",\"\"", "\"EnterMark\",\"\"", "\"AutoNext\",0", "",
    "\"[EXCEL]\"", "\"ReadDirec\",0", "",
    "\"[Area]\"", "\"WriteToExcel\",0", "",
    "\"[Position]\"", "\"TOP\",0", "\"LEFT\",0"};

const std::vector<std::string> kFullLines = {
    "\"[General]\"", "\"YOX\",1", "\"PREC\",3", "\"Tabs\",7", "",
    "\"[Dist]\"", "\"DX\",1", "\"DY\",0", "\"DI\",1", "",
    "\"[ID]\"", "\"X\",1", "\"Y\",1", "\"Z\",0", "\"T\",1", "",
    "\"[Pline]\"", "\"InterCoord\",1", "",
    "\"[SCR]\"", "\"command\",\"text\"", "\"EnterMark\",\"$\"", "\"AutoNext\",1", "",
    "\"[EXCEL]\"", "\"ReadDirec\",-1", "",
    "\"[Area]\"", "\"WriteToExcel\",1", "",
    "\"[Position]\"", "\"TOP\",1200", "\"LEFT\",-300"};

// The full file with some of its lines (numbered from 1) replaced.
std::string fullWith(std::initializer_list<std::pair<std::size_t, std::string>> edits) {
  auto lines = kFullLines;
  for (const auto& [line, text] : edits) lines[line - 1] = text;
  return crlfLines(lines);
}

Settings fullRecord() {
  Settings s;
  s.YOX = 1, s.PREC = 3, s.Tabs = 7, s.DX = 1, s.DI = 1, s.X = 1, s.Y = 1, s.T = 1;
  s.InterCoord = 1, s.command = "text", s.EnterMark = "$", s.AutoNext = 1;
  s.ReadDirec = -1, s.WriteToExcel = 1, s.TOP = 1200, s.LEFT = -300;
  return s;
}

// A record unlike both the defaults and fullRecord(): shows what a load left alone.
Settings previousRecord() {
  Settings s;
  for (const auto& section : settingsLayout())
    for (const auto& entry : section.entries) {
      if (auto* number = std::get_if<std::int16_t Settings::*>(&entry.member)) s.*(*number) = 5;
      else s.*std::get<std::string Settings::*>(entry.member) = "old";
    }
  return s;
}

// The first `count` settings in file order taken from `read`, the rest from `kept`.
Settings firstSettingsOf(const Settings& read, Settings kept, std::size_t count) {
  for (const auto& section : settingsLayout())
    for (const auto& entry : section.entries) {
      if (count-- == 0) return kept;
      std::visit([&](auto member) { kept.*member = read.*member; }, entry.member);
    }
  return kept;
}

class ConfigFile : public ::testing::Test {
 protected:
  std::string fileBytes() const { return testing_support::fileBytes(path_); }
  void writeFile(std::string_view bytes) const { testing_support::writeFileBytes(path_, bytes); }
  ConfigLoadReport load(Settings& settings, const TextCodec& codec) const {
    auto report = LoadConfig(path_, codec, settings);
    EXPECT_TRUE(report.has_value()) << report.error().description;
    return report.value_or(ConfigLoadReport{});
  }

  testing_support::ScratchDirectory scratch_;
  fs::path dir_ = scratch_.path(), path_ = dir_ / "config";
  Utf8Codec utf8_;
};

TEST_F(ConfigFile, WritesTheLayoutByteForByte) {
  ASSERT_EQ(kZeroLines.size(), 33u);
  ASSERT_TRUE(SaveConfig(path_, utf8_, Settings{}));
  EXPECT_EQ(fileBytes(), crlfLines(kZeroLines));
  ASSERT_TRUE(SaveConfig(path_, utf8_, fullRecord()));  // replaces the old file
  EXPECT_EQ(fileBytes(), crlfLines(kFullLines));
  EXPECT_FALSE(fs::exists(temporaryPathFor(path_)));
}

TEST_F(ConfigFile, RoundTripsEveryValue) {
  const std::vector<std::pair<const char*, std::function<void(Settings&)>>> cases = {
      {"zero", [](Settings&) {}},
      {"full", [](Settings& s) { s = fullRecord(); }},
      {"extremes", [](Settings& s) { s.YOX = s.TOP = -32768, s.PREC = s.LEFT = 32767; }},
      {"commas", [](Settings& s) { s.command = "-insert,block1,0,0"; s.EnterMark = ","; }},
      {"quotes", [](Settings& s) { s.command = "text \"a\",\"\""; s.EnterMark = "\""; }},
      {"blanks", [](Settings& s) { s.command = "  lead and trail  "; s.EnterMark = " "; }},
      {"chinese", [](Settings& s) { s.command = "桩号标注"; s.EnterMark = "回车"; }},
      {"line break", [](Settings& s) { s.command = "a\r\nb"; }},
  };
  for (const auto& [name, fill] : cases) {
    Settings saved;
    fill(saved);
    auto written = SaveConfig(path_, utf8_, saved);
    ASSERT_TRUE(written) << name;
    EXPECT_TRUE(written->lossy.empty()) << name;
    Settings loaded;
    auto report = load(loaded, utf8_);
    EXPECT_EQ(loaded, saved) << name;
    EXPECT_TRUE(report.complete && report.unreadable.empty() && report.lossy.empty()) << name;
  }
}

TEST_F(ConfigFile, ReadsHandEditedFilesByPosition) {
  const std::string full = crlfLines(kFullLines);
  const std::pair<const char*, std::string> cases[] = {
      {"renamed keys and sections", fullWith({{1, "\"[Allgemein]\""}, {2, "\"yox2\",1"}, {31, "[Pos]"}})},
      {"LF only", crlfLines(kFullLines, "\n")},
      {"no final line end", full.substr(0, full.size() - 2)},
      {"trailing empty lines", full + "\r\n\r\n"},
      {"CR CR LF", crlfLines(kFullLines, "\r\r\n")},
      {"byte order mark", "\xEF\xBB\xBF" + full},
      {"blanks and tabs", fullWith({{3, "  \"PREC\" \t,  3  "}})},
      {"blank empty line", fullWith({{5, "   "}})},
      {"unquoted key", fullWith({{2, "YOX,1"}})},
      {"quoted number", fullWith({{33, "\"LEFT\",\"-300\""}})},
      {"plus sign", fullWith({{23, "\"AutoNext\",+1"}})},
  };
  for (const auto& [name, text] : cases) {
    writeFile(text);
    Settings loaded;
    auto report = load(loaded, utf8_);
    EXPECT_EQ(loaded, fullRecord()) << name;
    EXPECT_TRUE(report.complete && report.unreadable.empty()) << name;
  }
}

// A file cut short, as a crash or a full disk leaves it: the settings before
// the cut are read, the rest keep their values; an unclosed text runs to the
// end of the file.
TEST_F(ConfigFile, ShortFileKeepsWhatWasRead) {
  const auto full = crlfLines(kFullLines);
  struct Case { const char* what; std::size_t cut, read; const char* command; };
  const Case cases[] = {
      {"empty", 0, 0, nullptr},
      {"inside the first key", full.find("YOX"), 0, nullptr},
      {"before Tabs", full.find("\"Tabs\""), 2, nullptr},
      {"inside a quoted text", full.find("\"text\"") + 3, 12, "te"},
      {"before AutoNext", full.find("\"AutoNext\""), 13, nullptr},
      {"after the last key", full.size() - 7, 17, nullptr},
  };
  for (const auto& c : cases) {
    writeFile(full.substr(0, c.cut));
    Settings loaded = previousRecord(), expected = firstSettingsOf(fullRecord(), previousRecord(), c.read);
    if (c.command) expected.command = c.command;
    auto report = load(loaded, utf8_);
    EXPECT_EQ(loaded, expected) << c.what;
    EXPECT_FALSE(report.complete || report.missing) << c.what;
  }
}

TEST_F(ConfigFile, UnreadableNumberLeavesOnlyThatSetting) {
  const std::vector<std::tuple<std::size_t, const char*, std::int16_t Settings::*>> cases = {
      {2, "\"YOX\",40000", &Settings::YOX},      {3, "\"PREC\",-32769", &Settings::PREC},
      {4, "\"Tabs\",abc", &Settings::Tabs},      {7, "\"DX\",1.5", &Settings::DX},
      {9, "\"DI\",", &Settings::DI},             {26, "\"ReadDirec\",0x10", &Settings::ReadDirec},
      {32, "\"TOP\",\"\"", &Settings::TOP},      {33, "\"LEFT\",--1", &Settings::LEFT},
  };
  for (const auto& [line, text, member] : cases) {
    writeFile(fullWith({{line, text}}));
    Settings loaded = previousRecord(), expected = fullRecord();
    expected.*member = previousRecord().*member;
    auto report = load(loaded, utf8_);
    EXPECT_EQ(loaded, expected) << text;
    EXPECT_TRUE(report.complete) << text;
    ASSERT_EQ(report.unreadable.size(), 1u) << text;
    EXPECT_EQ(std::string(text).find("\"" + std::string(report.unreadable[0]) + "\""), 0u) << text;
  }
}

TEST_F(ConfigFile, MissingFileLeavesTheRecordSilently) {
  Settings settings = previousRecord();
  auto report = load(settings, utf8_);
  EXPECT_TRUE(report.missing);
  EXPECT_EQ(settings, previousRecord());
}

TEST_F(ConfigFile, ReportsReplacedText) {
  writeFile(fullWith({{21, "\"command\",\"a\xFF\""}}));
  Settings loaded;
  auto report = load(loaded, utf8_);
  EXPECT_EQ(loaded.command, "a\uFFFD");
  EXPECT_EQ(report.lossy, std::vector<std::string_view>{"command"});
}

TEST_F(ConfigFile, FailedSaveReportsAndKeepsTheOldFile) {
  const auto old = crlfLines(kFullLines);
  writeFile(old);
  // The temporary file cannot be created where a folder with content stands.
  fs::create_directories(temporaryPathFor(path_) / "inside");
  auto blocked = SaveConfig(path_, utf8_, Settings{});
  ASSERT_FALSE(blocked);
  EXPECT_NE(blocked.error().description.find("settings could not be saved"), std::string::npos);
  EXPECT_EQ(fileBytes(), old);

  const fs::path nowhere = dir_ / "missing" / "config";
  auto missingFolder = SaveConfig(nowhere, utf8_, Settings{});
  ASSERT_FALSE(missingFolder);
  EXPECT_NE(missingFolder.error().description.find(displayPath(nowhere) + '"'),
            std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "missing"));

  const fs::path folder = dir_ / "folder";
  fs::create_directories(folder / "inside");
  EXPECT_FALSE(SaveConfig(folder, utf8_, Settings{}));
  EXPECT_FALSE(fs::exists(temporaryPathFor(folder)));
  Settings settings;
  EXPECT_FALSE(LoadConfig(folder, utf8_, settings));
}

}  // namespace
}  // namespace plotmate
