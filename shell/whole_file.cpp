#include "shell/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <system_error>

namespace plotmate {

namespace fs = std::filesystem;

namespace {

std::unexpected<Error> fileFailure(std::string what, const fs::path& path,
                                   const std::error_code& reason = {}) {
  std::string description = what + " \"" + displayPath(path) + "\"";
  if (reason) description += ": " + reason.message();
  return fail(hr::kFail, description + ".");
}

// The reason the C library gave for the last failed open, if it gave one.
std::error_code lastOpenError() {
  return errno == 0 ? std::error_code() : std::error_code(errno, std::generic_category());
}

// Writes a file that nobody else uses yet; removes it again when writing fails.
// Gives the reason when it fails, if the system gave one.
bool writeNewFile(const fs::path& path, std::string_view bytes, std::error_code& reason) {
  errno = 0;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    reason = lastOpenError();
    return false;
  }
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  const bool written = out.good();
  out.close();
  if (written && !out.fail()) return true;
  std::error_code ignored;
  fs::remove(path, ignored);
  return false;
}

// A file marked read-only: on Windows the read-only attribute, elsewhere no
// write permission for its owner.
bool markedReadOnly(const fs::path& path) {
  std::error_code ec;
  const auto status = fs::status(path, ec);
  return !ec && fs::is_regular_file(status) &&
         (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

fs::path temporaryPathFor(const fs::path& path) {
  fs::path temporary = path;
  temporary += ".tmp";
  return temporary;
}

std::string displayPath(const fs::path& path) {
  try {
    const auto utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
  } catch (const std::exception&) {  // a name that has no UTF-8 form
    return "?";
  }
}

Result<std::optional<std::string>> readFileHead(const fs::path& path, std::size_t limit) {
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return std::optional<std::string>();
  if (ec) return fileFailure("Cannot read the file", path, ec);
  if (fs::is_directory(status)) return fileFailure("Cannot read the file", path,
                                                   std::make_error_code(std::errc::is_a_directory));
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) return fileFailure("Cannot open the file", path, lastOpenError());
  const auto size = fs::file_size(path, ec);
  std::string bytes(ec ? limit : std::min<std::uintmax_t>(size, limit), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return fileFailure("Cannot read the file", path);
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return std::optional<std::string>(std::move(bytes));
}

Result<void> replaceFile(const fs::path& path, std::string_view bytes) {
  // Windows refuses to rename over a read-only file (access denied); where a
  // rename would go through (POSIX, Wine) it would drop the mark with the old
  // content. The file is left whole everywhere, as Windows leaves it.
  if (markedReadOnly(path))
    return fileFailure("Cannot replace the file", path,
                       std::make_error_code(std::errc::permission_denied));
  const fs::path temporary = temporaryPathFor(path);
  // Messages name the file the user knows, never the temporary one.
  std::error_code reason;
  if (!writeNewFile(temporary, bytes, reason))
    return fileFailure("Cannot write the file", path, reason);
  // Renaming replaces an existing file in one step on POSIX and, through
  // MoveFileEx with MOVEFILE_REPLACE_EXISTING, on Windows.
  fs::rename(temporary, path, reason);
  if (reason) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return fileFailure("Cannot replace the file", path, reason);
  }
  return {};
}

}  // namespace plotmate
