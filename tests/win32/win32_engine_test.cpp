#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "engine/UDiskInfo.h"
#include "engine/UFillWriter.h"
#include "engine/UGlobals.h"
#include "engine/platform/ULocale.h"
#include "engine/platform/UWin32FileSystem.h"
#include "tests/support/TRecordingSink.h"
#include "tests/support/TestDrives.h"
#include "tests/support/UWin32TestTools.h"

namespace brimvale {
namespace {

using test::kMissingDrive;
using test::kProbeDrive;
using test::kWriteDrive;

TEST(Win32Probe, TmpfsDriveOfEightMebibytes) {
  const TFormatSettings format = ReadFormatSettings();
  EXPECT_EQ(format.ThousandSeparator, ",") << "the test run sets an English locale";

  const TDiskInfo info =
      ProbeDisk(std::string(kProbeDrive) + "some\\folder", format.ThousandSeparator);
  EXPECT_EQ(info.ClusterSize, 4096);
  EXPECT_EQ(info.FreeBytes, 8 * 1024 * 1024);
  EXPECT_EQ(info.FreeClusters, 2048);
  EXPECT_EQ(info.ClusterSizeCaption, "4096 bytes");
  EXPECT_EQ(info.FreeClustersCaption, "8,192k, 2,048 clusters");
}

TEST(Win32Probe, FallbackWithoutTheExCallGivesTheSameFreeBytes) {
  TWin32FileSystem withoutEx(false);
  const TDiskInfo info = ProbeDisk(kProbeDrive, ",", withoutEx);
  EXPECT_EQ(info.FreeBytes, 8 * 1024 * 1024);
  EXPECT_EQ(info.FreeClusters, 2048);
}

TEST(Win32Probe, TextsThatNameNoDriveGiveTheFailureValues) {
  for (const std::string& text : {std::string(kMissingDrive), std::string("1"),
                                  std::string("\\\\server\\share"), std::string("\xE1")}) {
    const TDiskInfo info = ProbeDisk(text, ",");
    EXPECT_EQ(info.ClusterSize, 1) << text;
    EXPECT_EQ(info.FreeBytes, -1) << text;
    EXPECT_EQ(info.FreeClusters, -1) << text;
    EXPECT_EQ(info.ClusterSizeCaption, "1 bytes") << text;
    EXPECT_EQ(info.FreeClustersCaption, "0k, -1 clusters") << text;
  }
}

struct TCountReports {
  int reports = 0;
  void On(double) { ++reports; }
  ProgressProc Proc() { return ProgressProc::Bind<&TCountReports::On>(this); }
};

class Win32WriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AbortRequested = false;
    test::EmptyFolder(kWriteDrive);
  }
  void TearDown() override { test::EmptyFolder(kWriteDrive); }

  static std::string PathOn(const char* name) { return std::string(kWriteDrive) + name; }

  test::TRecordingSink sink_;
};

TEST_F(Win32WriterTest, WritesZerosOfTheExactSizeWithAndWithoutWriteThrough) {
  for (bool writeThrough : {false, true}) {
    const std::int32_t size = 5 * 65536 + 4095;
    const std::string path = PathOn(writeThrough ? "through.dat" : "cached.dat");
    TCountReports counter;
    EXPECT_TRUE(WriteFillFile(path, 0, size, false, writeThrough, AbortRequested, counter.Proc()));
    EXPECT_EQ(test::Contents(path), std::string(size, '\0'));
    EXPECT_EQ(counter.reports, 6);
  }
  EXPECT_TRUE(sink_.messages.empty());
  EXPECT_EQ(ProbeDisk(kWriteDrive, ",").FreeClusters, 2048 - 2 * 81);
}

TEST_F(Win32WriterTest, ADriveThatFillsPartWayLeavesThePartialFile) {
  const std::string path = PathOn("toolarge.dat");
  EXPECT_FALSE(WriteFillFile(path, 0, 16 * 1024 * 1024, false, false, AbortRequested, {}));
  EXPECT_EQ(sink_.messages, std::vector<std::string>{"Failed to write to file."});
  EXPECT_EQ(test::Contents(path), std::string(8 * 1024 * 1024, '\0'));
  EXPECT_EQ(ProbeDisk(kWriteDrive, ",").FreeClusters, 0);
}

TEST_F(Win32WriterTest, AMissingFolderCannotBeCreated) {
  TCountReports counter;
  EXPECT_FALSE(
      WriteFillFile(PathOn("nowhere\\f.dat"), 0, 10, false, false, AbortRequested, counter.Proc()));
  EXPECT_EQ(sink_.messages, std::vector<std::string>{"Invalid File Handle"});
  EXPECT_EQ(counter.reports, 0);
}

}  // namespace
}  // namespace brimvale
