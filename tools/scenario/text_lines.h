#pragma once
// A file's text in a scenario result: one entry per line, with the line end
// shown ("\r\n" as the two escapes), so a reader sees exactly what was written.

#include <filesystem>
#include <string>

#include "tools/scenario/scenario.h"

namespace plotmate::scenario {

Json linesJson(const std::string& bytes);
// The whole file as bytes; empty when it cannot be read.
std::string fileBytes(const std::filesystem::path& path);

}  // namespace plotmate::scenario
