#pragma once
// A worksheet's cells as CSV (RFC 4180, UTF-8): the first record is row 1,
// the first field column A. Every field is taken as typed input
// (enteredValue), so 12.5 is a number, TRUE a boolean and #N/A an error; a
// text that would be read as something else is written behind an apostrophe,
// so a saved sheet loads back cell for cell. Only cells travel: the active
// cell and the selection are not part of the file.

#include <filesystem>
#include <string>
#include <string_view>

#include "base/result.h"
#include "sim/sheet/worksheet.h"

namespace plotmate::sim {

// Fails on a damaged file (a quote never closed, text after a closing quote,
// a quote inside an unquoted field, more rows or columns than a sheet has)
// with the line number in the description. A leading UTF-8 byte order mark is
// skipped; records end with CRLF, LF or CR.
Result<Worksheet> worksheetFromCsv(std::string_view text);
// Rows 1 to the last used one, each padded with empty fields to the last used
// column, ended by CRLF; no byte order mark (a text that begins with U+FEFF
// is written in quotes, so it is never taken for one). An empty sheet gives "".
std::string worksheetToCsv(const Worksheet& sheet);

Result<Worksheet> loadCsvFile(const std::filesystem::path& path);
Result<void> saveCsvFile(const Worksheet& sheet, const std::filesystem::path& path);

}  // namespace plotmate::sim
