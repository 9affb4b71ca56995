// The settings file: any bytes load without harm; what loaded saves, and the
// saved file loads back to the same record, complete.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_check.h"
#include "shell/config_file.h"

namespace fs = std::filesystem;
using namespace plotmate;

namespace {

fs::path scratch(const char* name) {
  // In memory where the system offers it: every run writes two files.
  static const fs::path dir = [] {
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    auto d = base / ("plotmate-fuzz-config-" + std::to_string(getpid()));
    fs::create_directories(d);
    return d;
  }();
  return dir / name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path given = scratch("config"), saved = scratch("config.saved");
  std::ofstream(given, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                static_cast<std::streamsize>(size));
  const Utf8Codec codec;
  Settings settings;
  auto loaded = LoadConfig(given, codec, settings);
  FUZZ_CHECK(loaded && !loaded->missing);

  FUZZ_CHECK(SaveConfig(saved, codec, settings));
  Settings again;
  auto reloaded = LoadConfig(saved, codec, again);
  FUZZ_CHECK(reloaded && reloaded->complete && reloaded->unreadable.empty());
  FUZZ_CHECK(again == settings);
  return 0;
}
