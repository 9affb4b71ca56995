#pragma once
// Saving the drawing stand-in as ASCII DXF (AutoCAD 2000 form, AC1015): the
// tables, block definitions and objects a reader needs, the current UCS in
// the header, and model space.

#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
#include "sim/drawing/model.h"

namespace plotmate::sim {

struct DxfText {
  std::string text;
  // What could not be written as it is (regions are written as closed
  // polylines, one per loop), one line each.
  std::vector<std::string> notes;
};

// The file text. Fails, naming the entity, when a number is not finite: such
// a value cannot be written in a form any reader takes back.
Result<DxfText> writeDxf(const Drawing& drawing);

// Writes the file through a temporary one beside it, so a failed save never
// leaves half a drawing behind. Returns the notes of writeDxf.
Result<std::vector<std::string>> saveDxf(const Drawing& drawing, const std::filesystem::path& path);

}  // namespace plotmate::sim
