// The two files Plotmate writes, "config" and "DistOut.txt", when the disk
// fills up in the middle of a write, and "config" as editors and crashes
// leave it. A full disk is made with the file-size limit (POSIX only): writes
// past it fail part-way, as on a disk that has just run out of room.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "format/output_file.h"
#include "shell/config_file.h"
#include "shell/whole_file.h"

#if !defined(_WIN32)
#include <sys/resource.h>

#include <csignal>
#endif

namespace plotmate {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

class FilesUnderStress : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("plotmate_stress_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

#if !defined(_WIN32)
// While alive, no file of this process may grow past `bytes`: a write beyond
// fails part-way with EFBIG (the signal that would end the process is ignored).
class DiskFullAt {
 public:
  explicit DiskFullAt(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~DiskFullAt() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }
  DiskFullAt(const DiskFullAt&) = delete;
  DiskFullAt& operator=(const DiskFullAt&) = delete;

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
};

TEST_F(FilesUnderStress, OutputFileKeepsOnlyWholeRecordsWhenTheDiskFills) {
  const fs::path path = dir_ / kOutputFileName;
  const std::string earlier = " \r\n    1.000    2.000\r\n";
  writeBytes(path, earlier);
  {
    DiskFullAt full(earlier.size() + 3 + 20 + 10);  // room for the block's line, a record and half of one
    auto file = OutputFile::open(path, 3);
    ASSERT_TRUE(file) << file.error().description;
    double first[] = {3, 4}, second[] = {5, 6};
    ASSERT_TRUE(file->writeRecord(first));
    auto failed = file->writeRecord(second);
    ASSERT_FALSE(failed);
    EXPECT_NE(failed.error().description.find(path.filename().string()), std::string::npos)
        << failed.error().description;
    EXPECT_FALSE(file->writeRecord(first));  // nothing follows a failed record
  }
  EXPECT_EQ(bytesOf(path), earlier + " \r\n    3.000    4.000\r\n");
}

TEST_F(FilesUnderStress, ConfigSaveOnAFullDiskKeepsTheOldFileAndSaysSo) {
  const fs::path path = dir_ / "config";
  Settings old;
  old.PREC = 3;
  old.command = "circle";
  ASSERT_TRUE(SaveConfig(path, Utf8Codec{}, old));
  const std::string before = bytesOf(path);
  Settings longer = old;
  longer.command = std::string(4000, 'x');
  Result<ConfigSaveReport> saved;
  {
    DiskFullAt full(before.size() + 100);
    saved = SaveConfig(path, Utf8Codec{}, longer);
  }
  ASSERT_FALSE(saved);
  EXPECT_NE(saved.error().description.find("The settings could not be saved."), std::string::npos)
      << saved.error().description;
  EXPECT_EQ(bytesOf(path), before);
  EXPECT_FALSE(fs::exists(temporaryPathFor(path)));
}
#endif

// Under Wine the same test marks the file with the read-only attribute,
// which Wine (unlike Windows) would let a rename replace.
TEST_F(FilesUnderStress, ConfigSaveIntoAReadOnlyFileKeepsTheOldFileAndItsMark) {
  const fs::path path = dir_ / "config";
  Settings old;
  old.PREC = 3;
  ASSERT_TRUE(SaveConfig(path, Utf8Codec{}, old));
  const std::string before = bytesOf(path);
  constexpr auto kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(path, kWrite, fs::perm_options::remove);
  Settings changed = old;
  changed.PREC = 5;
  auto saved = SaveConfig(path, Utf8Codec{}, changed);
  const auto left = fs::status(path).permissions();
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);  // so TearDown may remove it
  ASSERT_FALSE(saved);
  EXPECT_NE(saved.error().description.find("The settings could not be saved."), std::string::npos)
      << saved.error().description;
  EXPECT_EQ(bytesOf(path), before);
  EXPECT_EQ(left & fs::perms::owner_write, fs::perms::none) << "the read-only mark stays";
  EXPECT_FALSE(fs::exists(temporaryPathFor(path)));
}

TEST_F(FilesUnderStress, ConfigAsEditorsAndCrashesLeaveIt) {
  Settings defaults;
  std::string whole;
  {
    Settings s;
    s.PREC = 4;
    s.command = "点 P7";
    const fs::path saved = dir_ / "saved";
    ASSERT_TRUE(SaveConfig(saved, Utf8Codec{}, s));
    whole = bytesOf(saved);
  }
  auto lfOnly = [](std::string text) {
    std::erase(text, '\r');
    return text;
  };
  struct Case {
    const char* name;
    std::string bytes;
    bool complete;
    std::int16_t prec;
    std::string command;
  };
  const Case cases[] = {
      {"as saved", whole, true, 4, "点 P7"},
      {"behind a UTF-8 mark", "\xEF\xBB\xBF" + whole, true, 4, "点 P7"},
      {"with LF line ends", lfOnly(whole), true, 4, "点 P7"},
      {"cut inside the second line", whole.substr(0, 20), false, defaults.PREC, defaults.command},
      // An unclosed text runs to the end of the file, as the item rules say.
      {"cut inside a quoted text", whole.substr(0, whole.find("P7")), false, 4, "点 "},
      {"empty", "", false, defaults.PREC, defaults.command},
      {"binary garbage", std::string("\0\xff\x01\"\r\n,,\xfe\"", 10), false, defaults.PREC, defaults.command},
  };
  for (const auto& c : cases) {
    const fs::path path = dir_ / "config";
    writeBytes(path, c.bytes);
    Settings loaded;
    auto report = LoadConfig(path, Utf8Codec{}, loaded);
    ASSERT_TRUE(report) << c.name;
    EXPECT_EQ(report->complete, c.complete) << c.name;
    EXPECT_EQ(loaded.PREC, c.prec) << c.name;
    EXPECT_EQ(loaded.command, c.command) << c.name;
  }
}

}  // namespace
}  // namespace plotmate
