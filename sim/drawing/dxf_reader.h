#pragma once
// Loading ASCII DXF into the drawing stand-in: model-space entities, block
// definitions with their attribute definitions, and the current UCS.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "sim/drawing/model.h"

namespace plotmate::sim {

struct DxfLoad {
  Drawing drawing;
  // What was left out or could not be read exactly (entity types this host
  // does not model, paper-space entities, undecodable characters), one line
  // each, for the scenario report. Empty for a file read in full.
  std::vector<std::string> notes;
};

// Reads the text of a DXF file. A damaged file (a group code that is not a
// number, a value missing at the end, a number that does not read, a
// section that is never closed, no EOF) fails with an error naming the line.
Result<DxfLoad> readDxf(std::string_view content);

// Reads a file; errors name the file.
Result<DxfLoad> loadDxf(const std::filesystem::path& path);

}  // namespace plotmate::sim
