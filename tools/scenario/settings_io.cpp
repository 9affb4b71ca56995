#include "tools/scenario/settings_io.h"

#include <cstdint>
#include <variant>

namespace plotmate::scenario {

namespace {

const SettingsEntry* findEntry(std::string_view key) {
  for (const auto& section : settingsLayout())
    for (const auto& entry : section.entries)
      if (entry.key == key) return &entry;
  return nullptr;
}

}  // namespace

void applySettings(Context& context) {
  if (!context.spec.contains("settings")) return;
  for (const auto& [key, value] : context.spec["settings"].items()) {
    const SettingsEntry* entry = findEntry(key);
    if (!entry) scenarioError("settings: unknown key \"" + key + "\"");
    if (auto number = std::get_if<std::int16_t Settings::*>(&entry->member))
      context.settings.*(*number) =
          static_cast<std::int16_t>(wholeNumber(value, "settings: " + key, INT16_MIN, INT16_MAX));
    else
      context.settings.*std::get<std::string Settings::*>(entry->member) = value.get<std::string>();
  }
}

Json settingsJson(const Settings& settings) {
  Json out = Json::object();
  for (const auto& section : settingsLayout())
    for (const auto& entry : section.entries)
      std::visit([&](auto member) { out[std::string(entry.key)] = settings.*member; },
                 entry.member);
  return out;
}

}  // namespace plotmate::scenario
