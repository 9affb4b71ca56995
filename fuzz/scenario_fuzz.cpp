// Scenario files: any JSON text is played or refused with a message naming
// the field at fault (an exception the runner reports), never a crash or
// undefined behaviour in the conversions.

#include <cstdint>
#include <exception>
#include <filesystem>
#include <string_view>

#include "tools/scenario/play.h"

using plotmate::scenario::Json;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;
  const Json spec = Json::parse(data, data + size, nullptr, false);
  if (spec.is_discarded()) return 0;
  try {
    // Files a scenario names are looked for in an empty folder.
    static const auto sourceDir = std::filesystem::temp_directory_path() / "plotmate-fuzz-scenario";
    std::filesystem::create_directories(sourceDir);
    (void)plotmate::scenario::playScenario(spec, sourceDir, "fuzz");
  } catch (const std::exception&) {
    // refused, by name
  }
  return 0;
}
