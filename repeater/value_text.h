#pragma once
// How a captured worksheet value enters a command line sent to the drawing host.

#include <optional>
#include <string>

#include "hosts/variant.h"

namespace plotmate {

// The text of one cell value as a command-line answer, or nullopt when the
// value has no such text (an error value such as #N/A, a number that is not
// finite, an array or object):
//   - numbers in the counting form: "." as the decimal point, up to 15
//     significant digits, never an exponent (1e20 is written out in full);
//   - booleans as the cell shows them, "TRUE" and "FALSE";
//   - empty cells as empty text;
//   - texts as they are, except that control characters (line breaks of a
//     multi-line cell, tabs, Esc) become blanks: the drawing host takes a line
//     break as Enter and Esc as a cancel, so a text answer must stay one line.
std::optional<std::string> commandValueText(const Variant& value);

}  // namespace plotmate
