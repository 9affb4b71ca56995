#pragma once
// One worksheet row's command line for the drawing host: the command, then
// one answer per parameter, each ended by a carriage return (Enter).

#include <cstdint>
#include <string>

#include "repeater/captured_block.h"
#include "repeater/repeater_form.h"

namespace plotmate {

// Enter on the drawing host's command line.
inline constexpr char kEnter = '\r';

// The line for row offset `row` of the block, built from the form's state:
// the station label and point for "ZhanDian", otherwise the command box's
// text followed by the parameters in order.
std::string BuildCommandLine(const RepeaterForm& form, const CapturedBlock& block,
                             std::int32_t row);

}  // namespace plotmate
