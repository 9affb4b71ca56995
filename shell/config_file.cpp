#include "shell/config_file.h"

#include <charconv>
#include <optional>
#include <string>

#include "shell/config_items.h"
#include "shell/whole_file.h"

namespace plotmate {

namespace {

// Far more than 33 lines of settings can need; a stray large file named
// "config" is not read whole.
constexpr std::size_t kReadLimit = 1 << 20;
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

using IntegerMember = std::int16_t Settings::*;
using TextMember = std::string Settings::*;

std::string integerText(std::int16_t value) {
  char buffer[8];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

// Decimal digits with an optional sign and surrounding blanks, within 16 bits.
std::optional<std::int16_t> parseInteger(std::string_view item) {
  while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
  while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
  if (item.size() > 1 && item.front() == '+' && item[1] != '-') item.remove_prefix(1);
  std::int16_t value = 0;
  auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), value);
  if (item.empty() || error != std::errc() || end != item.data() + item.size())
    return std::nullopt;
  return value;
}

Result<std::string> entryValue(const SettingsEntry& entry, const TextCodec& codec,
                               const Settings& settings, ConfigSaveReport& report) {
  if (const auto* integer = std::get_if<IntegerMember>(&entry.member))
    return integerText(settings.*(*integer));
  PLOTMATE_TRY(bytes, codec.toFile(settings.*std::get<TextMember>(entry.member)));
  if (bytes->lossy) report.lossy.push_back(entry.key);
  return quoteConfigItem(bytes->text);
}

Result<std::string> configText(const TextCodec& codec, const Settings& settings,
                               ConfigSaveReport& report) {
  std::string text;
  for (const auto& section : settingsLayout()) {
    if (!text.empty()) text += kLineEnd;  // the empty line between sections
    text += quoteConfigItem(section.name);
    text += kLineEnd;
    for (const auto& entry : section.entries) {
      PLOTMATE_TRY(value, entryValue(entry, codec, settings, report));
      text += quoteConfigItem(entry.key) + "," + *value;
      text += kLineEnd;
    }
  }
  return text;
}

void storeValue(const SettingsEntry& entry, const std::string& item, const TextCodec& codec,
                Settings& settings, ConfigLoadReport& report) {
  if (const auto* integer = std::get_if<IntegerMember>(&entry.member)) {
    if (auto value = parseInteger(item))
      settings.*(*integer) = *value;
    else
      report.unreadable.push_back(entry.key);
    return;
  }
  auto text = codec.fromFile(item);
  if (!text) {
    report.unreadable.push_back(entry.key);
    return;
  }
  if (text->lossy) report.lossy.push_back(entry.key);
  settings.*std::get<TextMember>(entry.member) = std::move(text->text);
}

// Walks the layout over the items; false when the items run out first.
bool readSettings(ConfigItemReader& items, const TextCodec& codec, Settings& settings,
                  ConfigLoadReport& report) {
  bool firstSection = true;
  for (const auto& section : settingsLayout()) {
    if (!firstSection && !items.next()) return false;  // the empty line
    firstSection = false;
    if (!items.next()) return false;  // the section line
    for (const auto& entry : section.entries) {
      if (!items.next()) return false;  // the key
      auto value = items.next();
      if (!value) return false;
      storeValue(entry, *value, codec, settings, report);
    }
  }
  return true;
}

}  // namespace

Result<ConfigLoadReport> LoadConfig(const std::filesystem::path& path, const TextCodec& codec,
                                    Settings& settings) {
  PLOTMATE_TRY(bytes, readFileHead(path, kReadLimit));
  ConfigLoadReport report;
  if (!*bytes) {
    report.missing = true;
    return report;
  }
  std::string_view content = **bytes;
  // A file saved as UTF-8 by an editor says so with its byte order mark:
  // its texts are then UTF-8, whatever the code page.
  const Utf8Codec utf8;
  const TextCodec* textCodec = &codec;
  if (content.starts_with(kUtf8ByteOrderMark)) {
    content.remove_prefix(kUtf8ByteOrderMark.size());
    textCodec = &utf8;
  }
  ConfigItemReader items(content);
  report.complete = readSettings(items, *textCodec, settings, report);
  return report;
}

Result<ConfigSaveReport> SaveConfig(const std::filesystem::path& path, const TextCodec& codec,
                                    const Settings& settings) {
  ConfigSaveReport report;
  PLOTMATE_TRY(text, configText(codec, settings, report));
  if (auto saved = replaceFile(path, *text); !saved) {
    Error error = saved.error();
    error.description = "The settings could not be saved. " + error.description;
    return std::unexpected(std::move(error));
  }
  return report;
}

}  // namespace plotmate
