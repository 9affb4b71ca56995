#pragma once
// The distance tool's text update: the values of the pair just measured
// written into texts that the drafter selects on screen.

#include <cstdint>
#include <string>
#include <string_view>

#include "hosts/acad.h"
#include "hosts/platform.h"
#include "measure/measure_row.h"

namespace plotmate {

inline constexpr std::string_view kTextSelectionSetName = "ss";

// Takes the drawing's selection set "ss" (created when absent) into
// `textSet`, empties it and lets the drafter select. The values that are on,
// in row order, go to the selected objects by position (first value, first
// object), each as `prefix` followed by its cell text. A value without an
// object of its own is left unwritten. Every host failure is skipped; a set
// that cannot be had or emptied is told to `report`'s run report.
void UpdateDistanceTexts(const AcadDocument& document, AcadSelectionSet& textSet,
                         MeasureRow row, const std::string& prefix, std::int16_t decimals,
                         Platform* report = nullptr);

}  // namespace plotmate
