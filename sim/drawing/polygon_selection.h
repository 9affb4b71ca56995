#pragma once
// SelectByPolygon's selection: a fence, a window polygon or a crossing
// polygon given in world coordinates, seen in the plan view of the current
// UCS, with the group-code filter of the selection calls.

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "hosts/variant.h"
#include "sim/drawing/model.h"

namespace plotmate::sim {

// The selection modes of the ActiveX AcSelect enumeration that
// SelectByPolygon takes.
inline constexpr int kSelectFence = 2;            // acSelectionSetFence
inline constexpr int kSelectWindowPolygon = 6;    // acSelectionSetWindowPolygon
inline constexpr int kSelectCrossingPolygon = 7;  // acSelectionSetCrossingPolygon

// A selection filter: every condition must hold. The stand-in knows group
// codes 0 (entity type) and 8 (layer name), both wildcard patterns matched
// without regard to case.
struct SelectionFilter {
  std::vector<std::pair<int, std::string>> conditions;
  bool passes(const Entity& entity) const;
};

// Reads FilterType and FilterData as the host takes them: two arrays of the
// same length (a single value counts as an array of one); both omitted means
// no filter. A code the stand-in does not know fails rather than select wrongly.
Result<SelectionFilter> readSelectionFilter(const Variant* codes, const Variant* values);

// Handles selected, in creation order. The fence is open (last point not
// joined to the first) and needs two points; a polygon is closed and needs
// three. A window polygon takes what lies wholly inside; a crossing polygon
// also what its outline crosses.
Result<std::vector<std::string>> selectByPolygon(const Drawing& drawing, int mode,
                                                 std::span<const Vec3> pointsWorld,
                                                 const SelectionFilter& filter);

}  // namespace plotmate::sim
