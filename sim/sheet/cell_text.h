#pragma once
// How a cell's value and text turn into each other: the value a text becomes
// when it is entered into a cell, and the text that brings a value back.

#include <optional>
#include <string>
#include <string_view>

#include "hosts/variant.h"

namespace plotmate::sim {

// The value a text becomes when it is entered into a cell, as Excel takes
// typed input (and a String assigned to Range.Value over automation, which it
// parses the same way):
//   - ""                        -> Empty (the cell is cleared)
//   - a leading apostrophe      -> the rest, kept as text as it stands ("'12" -> "12")
//   - a number ("12.5", " -3 ", "1e3", ".5") -> that number (double)
//   - "TRUE" / "FALSE", any case -> the boolean
//   - an error name ("#N/A", "#DIV/0!", ... any case) -> that error value
//   - anything else             -> the text unchanged.
// Dates, percentages, currency and digit grouping depend on the user's locale
// in Excel and never come from the tools; they stay text here. A text starting
// with "=" stays text: the stand-in keeps no formulas.
Variant enteredValue(std::string_view text);

// "#N/A" for CellError{2042}, and back; nullopt for a code or name Excel lacks.
std::optional<std::string> errorName(std::int32_t code);
std::optional<std::int32_t> errorCode(std::string_view name);

// The text that enteredValue() turns back into `value` (a cell's kinds only:
// Empty, double, bool, text, CellError): numbers shortest round-trip with ".",
// booleans "TRUE"/"FALSE", errors by name, and texts that would otherwise be
// read as something else behind an apostrophe.
std::string reenterableText(const Variant& value);

}  // namespace plotmate::sim
