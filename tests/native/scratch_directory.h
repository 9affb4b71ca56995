#pragma once
// A fresh working directory for a test, and the previous one back afterwards:
// the tools write "DistOut.txt" into the current directory.

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace plotmate::testing_support {

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
    std::ifstream in(dir_ / "DistOut.txt", std::ios::binary);
    if (!in) return "(none)";
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  const std::filesystem::path& path() const { return dir_; }

 private:
  std::filesystem::path dir_, previous_;
};

}  // namespace plotmate::testing_support
