#pragma once
// Small files read and written whole. Writing replaces the file in one step,
// so a failed or interrupted write never leaves a damaged file behind.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"

namespace plotmate {

// The first `limit` bytes of the file, or nothing when there is no file.
Result<std::optional<std::string>> readFileHead(const std::filesystem::path& path,
                                                std::size_t limit);

// Makes `bytes` the whole content of the file: they are written to
// temporaryPathFor(path) and that file is then renamed over the old one. On
// failure the old file is left as it was and the temporary file is removed.
// A file marked read-only is not replaced (access denied), as on Windows.
Result<void> replaceFile(const std::filesystem::path& path, std::string_view bytes);

// Where replaceFile writes before it renames: beside the file, same name plus ".tmp".
std::filesystem::path temporaryPathFor(const std::filesystem::path& path);

// The path as UTF-8 text, for messages.
std::string displayPath(const std::filesystem::path& path);

}  // namespace plotmate
