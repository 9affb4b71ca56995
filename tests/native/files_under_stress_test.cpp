// The two files Plotmate writes, "config" and "DistOut.txt", when the disk
// fills up in the middle of a write, and "config" when it may not be
// replaced. A full disk is made with the file-size limit (POSIX only): writes
// past it fail part-way, as on a disk that has just run out of room.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "format/output_file.h"
#include "shell/config_file.h"
#include "shell/whole_file.h"
#include "tests/native/scratch_directory.h"

#if !defined(_WIN32)
#include <sys/resource.h>

#include <csignal>
#endif

namespace plotmate {
namespace {

namespace fs = std::filesystem;

using testing_support::fileBytes;
using testing_support::writeFileBytes;

class FilesUnderStress : public ::testing::Test {
 protected:
  // Saves a small "config" and returns its bytes.
  std::string savedConfig() const {
    Settings old;
    old.PREC = 3;
    old.command = "circle";
    EXPECT_TRUE(SaveConfig(config(), Utf8Codec{}, old));
    return fileBytes(config());
  }
  // A failed save says so and leaves the old file as it was, with no temporary file.
  void expectRefused(const Result<ConfigSaveReport>& saved, const std::string& before) const {
    ASSERT_FALSE(saved);
    EXPECT_NE(saved.error().description.find("The settings could not be saved."), std::string::npos)
        << saved.error().description;
    EXPECT_EQ(fileBytes(config()), before);
    EXPECT_FALSE(fs::exists(temporaryPathFor(config())));
  }
  fs::path config() const { return dir_ / "config"; }
  testing_support::ScratchDirectory scratch_;
  fs::path dir_ = scratch_.path();
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
  writeFileBytes(path, earlier);
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
  EXPECT_EQ(fileBytes(path), earlier + " \r\n    3.000    4.000\r\n");
}

TEST_F(FilesUnderStress, ConfigSaveOnAFullDiskKeepsTheOldFileAndSaysSo) {
  const std::string before = savedConfig();
  Settings longer;
  longer.command = std::string(4000, 'x');
  Result<ConfigSaveReport> saved;
  {
    DiskFullAt full(before.size() + 100);
    saved = SaveConfig(config(), Utf8Codec{}, longer);
  }
  expectRefused(saved, before);
}
#endif

// Under Wine the same test marks the file with the read-only attribute,
// which Wine (unlike Windows) would let a rename replace.
TEST_F(FilesUnderStress, ConfigSaveIntoAReadOnlyFileKeepsTheOldFileAndItsMark) {
  const std::string before = savedConfig();
  constexpr auto kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(config(), kWrite, fs::perm_options::remove);
  auto saved = SaveConfig(config(), Utf8Codec{}, Settings{});
  const auto left = fs::status(config()).permissions();
  fs::permissions(config(), fs::perms::owner_write, fs::perm_options::add);  // so it may be removed
  expectRefused(saved, before);
  EXPECT_EQ(left & fs::perms::owner_write, fs::perms::none) << "the read-only mark stays";
}

// "config" as editors and crashes leave it is checked by ConfigFile's tests
// (hand edits, files cut short) and the config fuzz target (any bytes).

}  // namespace
}  // namespace plotmate
