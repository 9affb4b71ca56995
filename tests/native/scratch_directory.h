#pragma once
// A fresh working directory for a test, and the previous one back afterwards:
// the tools write "DistOut.txt" and "config" into the current directory. With
// it, a file's bytes read and written whole.

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

namespace plotmate::testing_support {

// A file's bytes; empty when it cannot be read.
inline std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void writeFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

class ScratchDirectory {
 public:
  ScratchDirectory() {
    dir_ = std::filesystem::temp_directory_path() /
           ("plotmate-scratch-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir_);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
  }
  ~ScratchDirectory() {
    std::filesystem::current_path(previous_);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  // The output file's bytes; "(none)" when it was never created.
  std::string outputFile() const {
    return std::filesystem::exists(dir_ / "DistOut.txt") ? fileBytes(dir_ / "DistOut.txt") : "(none)";
  }
  const std::filesystem::path& path() const { return dir_; }

 private:
  std::filesystem::path dir_, previous_;
};

}  // namespace plotmate::testing_support
