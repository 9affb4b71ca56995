#include "tools/scenario/tools.h"

#include <cstdint>

namespace plotmate::scenario {

int clicksOf(const Context& context) {
  if (!context.spec.contains("clicks")) return 1;
  return static_cast<int>(wholeNumber(context.spec["clicks"], "clicks", 1, 10'000));
}

std::int16_t boxState(const Json& value, const std::string& field) {
  return static_cast<std::int16_t>(wholeNumber(value, field, INT16_MIN, INT16_MAX));
}

const std::map<std::string, ToolRunner>& toolRunners() {
  static const ToolTable tools = [] {
    ToolTable table;
    registerNumberTools(table);
    registerSettingsTools(table);
    registerConverterTools(table);
    registerDrawingTools(table);
    registerMeasureTools(table);
    registerPolylineTools(table);
    registerRepeaterTools(table);
    return table;
  }();
  return tools;
}

}  // namespace plotmate::scenario
