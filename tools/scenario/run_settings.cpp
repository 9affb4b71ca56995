// Scenario tool "Settings": loads a "config" file as given, reports the record,
// saves it again and reports the bytes written.

#include <fstream>

#include "shell/config_file.h"
#include "shell/text_codec.h"
#include "tools/scenario/settings_io.h"
#include "tools/scenario/text_lines.h"
#include "tools/scenario/tools.h"

namespace plotmate::scenario {

namespace {

Json namesJson(const std::vector<std::string_view>& names) {
  Json out = Json::array();
  for (auto n : names) out.push_back(std::string(n));
  return out;
}

// { "config": "file text, \r\n as written" | absent for a missing file }
void runSettings(Context& context) {
  const auto path = context.workDir / "config";
  if (context.spec.contains("config")) {
    std::ofstream(path, std::ios::binary) << context.spec["config"].get<std::string>();
  }
  Utf8Codec codec;
  auto loaded = LoadConfig(path, codec, context.settings);
  if (!loaded) {
    context.result["load"] = {{"error", loaded.error().description}};
    return;
  }
  context.result["load"] = {{"missing", loaded->missing},
                            {"complete", loaded->complete},
                            {"unreadable", namesJson(loaded->unreadable)}};
  context.result["settings"] = settingsJson(context.settings);
  auto saved = SaveConfig(path, codec, context.settings);
  if (!saved) {
    context.result["save"] = {{"error", saved.error().description}};
    return;
  }
  context.result["saved"] = linesJson(fileBytes(path));
}

}  // namespace

void registerSettingsTools(ToolTable& tools) { tools["Settings"] = runSettings; }

}  // namespace plotmate::scenario
