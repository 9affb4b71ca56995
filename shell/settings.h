#pragma once
// The process-wide settings record and the layout of the "config" file that
// stores it. The layout is data: the writer and the reader walk the same
// table, so the two can never disagree about which line holds which setting.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace plotmate {

// Every persistent option, named by its key in "config". Everything starts at
// zero or empty; the program has no other defaults.
struct Settings {
  std::int16_t YOX = 0;   // 1: engineering coordinates, X and Y swapped
  std::int16_t PREC = 0;  // decimals of formatted numbers
  std::int16_t Tabs = 0;  // kept and written back unchanged
  std::int16_t DX = 0;    // distance tool outputs
  std::int16_t DY = 0;
  std::int16_t DI = 0;
  std::int16_t X = 0;  // point tool outputs
  std::int16_t Y = 0;
  std::int16_t Z = 0;
  std::int16_t T = 0;
  std::int16_t InterCoord = 0;  // polyline export includes crossing lines
  std::string command;          // repeater: last command name (UTF-8)
  std::string EnterMark;        // repeater: marker standing for Enter (UTF-8)
  std::int16_t AutoNext = 0;
  std::int16_t ReadDirec = 0;  // block-to-column: -1 row by row, 0 column by column
  std::int16_t WriteToExcel = 0;
  std::int16_t TOP = 0;  // main window position in twips
  std::int16_t LEFT = 0;

  bool operator==(const Settings&) const = default;
};

using SettingsMember = std::variant<std::int16_t Settings::*, std::string Settings::*>;

struct SettingsEntry {
  std::string_view key;
  SettingsMember member;
};

struct SettingsSection {
  std::string_view name;  // with its brackets, as in "[General]"
  std::span<const SettingsEntry> entries;
};

// The sections of "config" in file order, each with its entries in order.
std::span<const SettingsSection> settingsLayout();

}  // namespace plotmate
