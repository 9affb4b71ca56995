#pragma once
// One entity of the drawing model written as DXF: each kind has its own
// writer, chosen from a table.

#include <string>

#include "sim/drawing/dxf_group_writer.h"

namespace plotmate::sim::dxf {

// Writes `e` owned by the block record `owner`. Entities of model space keep
// their handles (`keepHandle`); those in block definitions take new ones.
void writeEntity(GroupWriter& out, const Drawing& drawing, const Entity& e, const std::string& owner,
                 bool keepHandle);

}  // namespace plotmate::sim::dxf
