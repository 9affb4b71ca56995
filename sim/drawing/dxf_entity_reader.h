#pragma once
// One DXF entity read into the drawing model: each entity type this host
// models has its own reader, chosen from a table by the type's name.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "sim/drawing/dxf_groups.h"

namespace plotmate::sim::dxf {

// What one entity reads into.
struct Built {
  std::optional<Entity> entity;
  std::optional<AttributeDefinition> attribute;  // ATTDEF
  std::string skipped;                           // why it was left out, when it was
  bool paperSpace = false;
  bool arrayKeptAsOne = false;  // an INSERT with rows and columns (MINSERT)
};

// A text value of the file as UTF-8 (the file's encoding and escapes decoded).
using TextDecoder = std::function<std::string(std::string_view)>;

Result<Built> buildEntity(const RawEntity& raw, const TextDecoder& text);

}  // namespace plotmate::sim::dxf
