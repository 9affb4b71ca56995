// Scenario tools without hosts: FormatFixed over a list of values and the
// feet-inch conversion over a list of typed texts.

#include <cstdint>
#include <string>

#include "convert/feet_inch.h"
#include "format/format_fixed.h"
#include "tools/scenario/tools.h"

namespace plotmate::scenario {

namespace {

// { "decimals": 3, "width": 5, "values": [12.3456, ...] }
// -> "formatted": [{ "value", "text", "rounded" }]
void runFormatFixed(Context& context) {
  auto decimals = context.spec.value("decimals", std::int16_t{0});
  auto width = context.spec.value("width", kFieldWidth);
  Json rows = Json::array();
  for (const auto& item : context.spec.at("values")) {
    auto [rounded, text] = FormatFixed(item.get<double>(), width, decimals);
    rows.push_back({{"value", item}, {"text", text}, {"rounded", rounded}});
  }
  context.result["formatted"] = rows;
}

// { "inputs": ["5.6", ...] } -> "converted": [{ "input", "result" }]
void runFeetInch(Context& context) {
  Json rows = Json::array();
  for (const auto& item : context.spec.at("inputs")) {
    auto input = item.get<std::string>();
    rows.push_back({{"input", input}, {"result", FeetInchResultText(input)}});
  }
  context.result["converted"] = rows;
}

}  // namespace

void registerNumberTools(ToolTable& tools) {
  tools["FormatFixed"] = runFormatFixed;
  tools["FeetInch"] = runFeetInch;
}

}  // namespace plotmate::scenario
