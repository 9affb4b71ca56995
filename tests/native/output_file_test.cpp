#include "format/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/native/scratch_directory.h"

namespace plotmate {
namespace {

namespace fs = std::filesystem;

// A file of its own in a scratch folder, removed afterwards.
class OutputFileTest : public ::testing::Test {
 protected:
  static std::string contents(const fs::path& path) { return testing_support::fileBytes(path); }
  testing_support::ScratchDirectory scratch_;
  fs::path path_ = scratch_.path() / kOutputFileName;
};

TEST(RecordLine, ValuesBackToBackRounded) {
  const std::vector<double> values{12.3456, 7.1};
  EXPECT_EQ(RecordLine(values, 3), "   12.346    7.100");
  // A value filling the five places follows the previous one directly.
  EXPECT_EQ(RecordLine(std::vector<double>{-1.5, 123456.7, 0.25}, 1), "   -1.5123456.7    .3");

  EXPECT_EQ(RecordLine({}, 3), "");
}

TEST_F(OutputFileTest, TwoRunsAppendTwoBlocksWithCrLf) {
  ASSERT_FALSE(fs::exists(path_));
  {
    auto file = OutputFile::open(path_, 3);
    ASSERT_TRUE(file) << file.error().description;
    const double record[] = {12.3456, 7.1};
    ASSERT_TRUE(file->writeRecord(record));
    EXPECT_EQ(record[0], 12.3456);  // the caller's values are left as they are
    ASSERT_TRUE(file->writeRecord({}));
    ASSERT_TRUE(file->close());
  }
  {
    // Closed by going out of scope only, at another precision.
    auto file = OutputFile::open(path_, 0);
    ASSERT_TRUE(file) << file.error().description;
    double record[] = {-0.5, 12.6};
    ASSERT_TRUE(file->writeRecord(record));
  }
  EXPECT_EQ(contents(path_),
            " \r\n"
            "   12.346    7.100\r\n"
            "\r\n"
            " \r\n"
            "    0.   13.\r\n");  // -0.5 rounds up to 0
}

TEST_F(OutputFileTest, ClosedFileRefusesFurtherRecords) {
  auto file = OutputFile::open(path_, 2);
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->close());
  EXPECT_TRUE(file->close());  // closing twice is harmless
  double record[] = {1};
  EXPECT_FALSE(file->writeRecord(record));
  EXPECT_EQ(contents(path_), " \r\n");
}

TEST_F(OutputFileTest, FolderInTheWayGivesAMessageNamingTheFile) {
  fs::create_directory(path_);
  auto file = OutputFile::open(path_, 3);
  ASSERT_FALSE(file);
  const std::string& text = file.error().description;
  EXPECT_NE(text.find(path_.filename().string()), std::string::npos) << text;
  EXPECT_NE(text.find("已有同名的文件夹"), std::string::npos) << text;
  EXPECT_TRUE(fs::is_directory(path_));
}

TEST_F(OutputFileTest, MissingFolderGivesAnError) {
  auto file = OutputFile::open(path_ / kOutputFileName, 3);
  ASSERT_FALSE(file);
  EXPECT_NE(file.error().description.find(std::string(kOutputFileName)), std::string::npos);
  EXPECT_FALSE(fs::exists(path_));
}

TEST(OutputFileFull, FullDiskIsAFailureNotASuccess) {
  const fs::path full = "/dev/full";  // a device that accepts no data
  if (!fs::exists(full)) GTEST_SKIP() << "no /dev/full on this system";
  auto file = OutputFile::open(full, 3);
  ASSERT_FALSE(file);
  EXPECT_NE(file.error().description.find("磁盘已满"), std::string::npos)
      << file.error().description;
}

}  // namespace
}  // namespace plotmate
