#pragma once
// "DistOut.txt": where the tools append their records when no spreadsheet is
// attached. Each run adds one block: a line holding a single blank, then one
// line per record. Lines end in CR LF; one byte per character.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

#include "base/result.h"

namespace plotmate {

// Callers pass the bare name: the file lives in the current working directory.
inline constexpr std::string_view kOutputFileName = "DistOut.txt";

// One record's line without its line end: the FormatFixed texts (width
// kFieldWidth) of the values back to back, leading blanks kept.
std::string RecordLine(std::span<const double> values, std::int16_t decimals);

// One run's block. The file is closed when the object goes away, whichever way
// the run ends; close() does the same and says whether everything reached it.
// A failure's description names the file and the reason in words a drafter can
// act on, ready for a message box; the run should end after it.
class OutputFile {
 public:
  // Opens `path` for appending (creating it) and writes the block's " " line.
  // `decimals` is the run's copy of the precision setting.
  static Result<OutputFile> open(const std::filesystem::path& path, std::int16_t decimals);

  // Appends one record line (no values: an empty line). Each line is flushed, so
  // what a run has recorded survives whatever happens to the run afterwards. A
  // line that cannot be written whole is taken out again and the file closed.
  Result<void> writeRecord(std::span<const double> values);
  Result<void> close();

 private:
  OutputFile(std::filesystem::path path, std::int16_t decimals)
      : path_(std::move(path)), decimals_(decimals) {}
  Result<void> writeLine(std::string_view line);
  void dropPartialLine();

  std::filesystem::path path_;
  std::int16_t decimals_;
  std::ofstream stream_;
  std::uintmax_t whole_ = 0;  // the file's size up to its last whole line
};

}  // namespace plotmate
