#pragma once
// The table of tools a scenario can run; each group of tools registers itself here.

#include "tools/scenario/scenario.h"

namespace plotmate::scenario {

using ToolTable = std::map<std::string, ToolRunner>;

void registerNumberTools(ToolTable& tools);
void registerSettingsTools(ToolTable& tools);
void registerConverterTools(ToolTable& tools);
void registerDrawingTools(ToolTable& tools);
void registerMeasureTools(ToolTable& tools);
void registerPolylineTools(ToolTable& tools);
void registerRepeaterTools(ToolTable& tools);

}  // namespace plotmate::scenario
