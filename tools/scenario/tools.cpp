#include "tools/scenario/tools.h"

namespace plotmate::scenario {

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
