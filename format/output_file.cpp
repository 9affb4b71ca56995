#include "format/output_file.h"

#include <cerrno>
#include <system_error>

#include "format/format_fixed.h"

namespace plotmate {

namespace {

// The full path, so the drafter can find the folder the file was meant for.
std::string displayName(const std::filesystem::path& path) {
  std::error_code ec;
  const auto full = std::filesystem::absolute(path, ec);
  const auto text = (ec ? path : full).u8string();
  return std::string(text.begin(), text.end());
}

std::string reason(const std::filesystem::path& path, int errorNumber) {
  std::error_code ec;
  // Windows refuses a folder as "access denied": look before trusting the code.
  if (std::filesystem::is_directory(path, ec)) return "已有同名的文件夹";
  switch (errorNumber) {
    case EACCES:
    case EPERM:
    case EROFS:
      return "没有写入权限，或文件正被其他程序占用";
    case ENOENT:
      return "所在的文件夹不存在";
    case ENOSPC:
      return "磁盘已满";
    case EBADF:
      return "文件已经关闭";
    case 0:
      return "原因不明";
    default:
      return std::generic_category().message(errorNumber);
  }
}

std::unexpected<Error> fileError(std::string_view doing, const std::filesystem::path& path,
                                 int errorNumber) {
  return fail(hr::kFail, std::string(doing) + "输出文件“" + displayName(path) + "”：" +
                             reason(path, errorNumber) + "。");
}

}  // namespace

std::string RecordLine(std::span<const double> values, std::int16_t decimals) {
  std::string line;
  for (double value : values) line += FormatFixed(value, kFieldWidth, decimals).text;
  return line;
}

Result<OutputFile> OutputFile::open(const std::filesystem::path& path, std::int16_t decimals) {
  OutputFile file(path, decimals);
  errno = 0;
  // Binary: the CR LF line ends are written as they stand, on every platform.
  file.stream_.open(path, std::ios::binary | std::ios::app);
  if (!file.stream_.is_open()) return fileError("无法打开", path, errno);
  std::error_code ec;
  file.whole_ = std::filesystem::file_size(path, ec);
  if (ec) file.whole_ = 0;
  PLOTMATE_RETURN_IF_FAILED(file.writeLine(" "));
  return file;
}

Result<void> OutputFile::writeRecord(std::span<const double> values) {
  return writeLine(RecordLine(values, decimals_));
}

Result<void> OutputFile::writeLine(std::string_view line) {
  if (!stream_.is_open()) return fileError("无法写入", path_, EBADF);
  errno = 0;
  stream_.write(line.data(), static_cast<std::streamsize>(line.size()));
  stream_.write("\r\n", 2);
  stream_.flush();
  if (!stream_) {
    const int reason = errno;
    dropPartialLine();
    return fileError("无法写入", path_, reason);
  }
  whole_ += line.size() + 2;
  return {};
}

// A line that reached the file only in part (the disk filled up during it)
// is cut off again: the file ends after its last whole line, and no later
// write may follow it.
void OutputFile::dropPartialLine() {
  stream_.close();
  std::error_code ignored;
  if (std::filesystem::is_regular_file(path_, ignored) && std::filesystem::file_size(path_, ignored) > whole_)
    std::filesystem::resize_file(path_, whole_, ignored);
}

Result<void> OutputFile::close() {
  if (!stream_.is_open()) return {};
  const bool intact = static_cast<bool>(stream_);
  errno = 0;
  stream_.close();
  if (!intact || !stream_) return fileError("无法写完", path_, errno);
  return {};
}

}  // namespace plotmate
