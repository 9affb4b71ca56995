#pragma once
// The numbers Excel speaks in: its worksheet error values and the error it
// raises for a bad cell address. Shared by the facade and the stand-in.

#include <cstdint>

namespace plotmate::xl {

// What Excel raises when a range would leave the sheet or an argument makes
// no address: VBA sees run-time error 1004; over COM it arrives as this code.
inline constexpr std::int32_t kObjectDefinedError = static_cast<std::int32_t>(0x800A03ECu);
inline constexpr const char* kObjectDefinedText = "Application-defined or object-defined error";

// Worksheet error values, numbered as VBA's CVErr takes them (CellError::code).
// Inside a VARIANT of type VT_ERROR they travel as 0x800A0000 | number.
inline constexpr std::int32_t kErrNull = 2000;   // #NULL!
inline constexpr std::int32_t kErrDiv0 = 2007;   // #DIV/0!
inline constexpr std::int32_t kErrValue = 2015;  // #VALUE!
inline constexpr std::int32_t kErrRef = 2023;    // #REF!
inline constexpr std::int32_t kErrName = 2029;   // #NAME?
inline constexpr std::int32_t kErrNum = 2036;    // #NUM!
inline constexpr std::int32_t kErrNA = 2042;     // #N/A

// The sheet's size since Excel 2007.
inline constexpr std::int32_t kMaxRow = 1'048'576;
inline constexpr std::int32_t kMaxColumn = 16'384;

}  // namespace plotmate::xl

namespace plotmate {

// How many rows and columns a sheet has (its Rows.Count and Columns.Count):
// today's workbooks, or 65,536 x 256 for a workbook kept in the old format
// (compatibility mode). Tools read it from the sheet; these are the stand-in's.
struct SheetSize {
  std::int32_t rows = xl::kMaxRow;
  std::int32_t columns = xl::kMaxColumn;
  bool operator==(const SheetSize&) const = default;
};
inline constexpr SheetSize kCompatibilitySheet{65'536, 256};

}  // namespace plotmate
