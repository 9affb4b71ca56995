#pragma once
// Engineering (surveying) coordinates: X and Y of every worksheet pair trade
// places in the captured block before any command line is built.

#include "repeater/captured_block.h"
#include "repeater/repeater_form.h"

namespace plotmate {

// Walks every row, counting worksheet parameters; for each worksheet
// parameter whose pair box is ticked, exchanges its two columns. Returns
// false, at the first one met, when a pair goes on into a third part (the
// next pair box is ticked too): a three-part coordinate has no such exchange.
bool ExchangeEngineeringPairs(const RepeaterForm& form, CapturedBlock& block);

}  // namespace plotmate
