#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/UDiskInfo.h"
#include "engine/UFillRun.h"
#include "engine/UFillWriter.h"
#include "engine/UGlobals.h"
#include "engine/platform/ULocale.h"
#include "engine/platform/UWin32FileSystem.h"
#include "tests/support/TDrivesGuard.h"
#include "tests/support/TRecordingSink.h"
#include "tests/support/TRecordingView.h"
#include "tests/support/TestDrives.h"
#include "tests/support/UWin32TestTools.h"

namespace brimvale {
namespace {

using test::kMissingDrive;
using test::kProbeDrive;
using test::kRunDrive;

using test::kWriteDrive;

TWin32FileSystem gSystem;  // the system's own calls
const auto* const kDrivesGuard = ::testing::AddGlobalTestEnvironment(new test::TDrivesGuard);

TEST(Win32Probe, TmpfsDriveOfEightMebibytes) {
  const TFormatSettings format = ReadFormatSettings();
  EXPECT_EQ(format.ThousandSeparator, ",") << "the test run sets an English locale";

  const TDiskInfo info =
      ProbeDisk(std::string(kProbeDrive) + "some\\folder", format.ThousandSeparator, gSystem);
  EXPECT_EQ(info.Figures.ClusterSize, 4096);
  EXPECT_EQ(info.Figures.FreeBytes, 8 * 1024 * 1024);
  EXPECT_EQ(info.Figures.FreeClusters, 2048);
  EXPECT_EQ(info.ClusterSizeCaption, "4096 bytes");
  EXPECT_EQ(info.FreeClustersCaption, "8,192k, 2,048 clusters");
}

TEST(Win32Probe, FallbackWithoutTheExCallGivesTheSameFreeBytes) {
  TWin32FileSystem withoutEx(false);
  const TDiskInfo info = ProbeDisk(kProbeDrive, ",", withoutEx);
  EXPECT_EQ(info.Figures.FreeBytes, 8 * 1024 * 1024);
  EXPECT_EQ(info.Figures.FreeClusters, 2048);
}

TEST(Win32Probe, TextsThatNameNoDriveGiveTheFailureValues) {
  for (const std::string& text : {std::string(kMissingDrive), std::string("1"),
                                  std::string("\\\\server\\share"), std::string("\xE1")}) {
    const TDiskInfo info = ProbeDisk(text, ",", gSystem);
    EXPECT_EQ(info.Figures.ClusterSize, 1) << text;
    EXPECT_EQ(info.Figures.FreeBytes, -1) << text;
    EXPECT_EQ(info.Figures.FreeClusters, -1) << text;
    EXPECT_EQ(info.ClusterSizeCaption, "1 bytes") << text;
    EXPECT_EQ(info.FreeClustersCaption, "0k, -1 clusters") << text;
  }
}

// Another program makes a file under the first free name just after the
// search: the search does not see it, the creation does.
bool gSearchMissesTheFirstName = false;
DWORD WINAPI Attributes(const char* path) {
  return gSearchMissesTheFirstName && std::string(path).ends_with("_filldrive_0000_512.dat")
             ? INVALID_FILE_ATTRIBUTES
             : GetFileAttributesA(path);
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
    EXPECT_TRUE(
        WriteFillFile(path, 0, size, false, writeThrough, AbortRequested, counter.Proc(), gSystem));
    EXPECT_EQ(test::Contents(path), std::string(size, '\0'));
    EXPECT_EQ(counter.reports, 6);
  }
  EXPECT_TRUE(sink_.messages.empty());
  EXPECT_EQ(ProbeDisk(kWriteDrive, ",", gSystem).Figures.FreeClusters, 2048 - 2 * 81);
}

TEST_F(Win32WriterTest, ADriveThatFillsPartWayLeavesThePartialFile) {
  const std::string path = PathOn("toolarge.dat");
  EXPECT_FALSE(WriteFillFile(path, 0, 16 * 1024 * 1024, false, false, AbortRequested, {}, gSystem));
  EXPECT_EQ(sink_.messages, std::vector<std::string>{"Failed to write to file."});
  EXPECT_EQ(test::Contents(path), std::string(8 * 1024 * 1024, '\0'));
  EXPECT_EQ(ProbeDisk(kWriteDrive, ",", gSystem).Figures.FreeClusters, 0);
}

TEST_F(Win32WriterTest, AMissingFolderCannotBeCreated) {
  TCountReports counter;
  EXPECT_FALSE(WriteFillFile(PathOn("nowhere\\f.dat"), 0, 10, false, false, AbortRequested,
                             counter.Proc(), gSystem));
  EXPECT_EQ(sink_.messages, std::vector<std::string>{"Invalid File Handle"});
  EXPECT_EQ(counter.reports, 0);
}

// Fill runs on a real drive of 1,000 free clusters, through the system's own
// file calls: which names count as taken, and what cannot be created.
TEST(Win32FillRun, TakenNamesFoldersAndFullDrivesOnARealDrive) {
  const std::string root = kRunDrive;
  struct TCase {
    const char* what;
    std::function<void()> prepare;
    std::string folder;
    std::vector<std::string> files, messages;
  };
  const TCase cases[] = {
      {"an empty file of the first name is skipped and left alone",
       [&] { ASSERT_TRUE(test::WriteFileOfSize(root + "_filldrive_0000_512.dat", 0)); },
       root,
       {"_filldrive_0000_512.dat", "_filldrive_0001_512.dat", "_filldrive_0002_256.dat",
        "_filldrive_0003_128.dat", "_filldrive_0004_64.dat", "_filldrive_0005_32.dat",
        "_filldrive_0006_8.dat"},
       {}},
      {"a file made between the search and the creation is skipped and left alone",
       [&] {
         ASSERT_TRUE(test::WriteFileOfSize(root + "_filldrive_0000_512.dat", 0));
         gSearchMissesTheFirstName = true;
       },
       root,
       {"_filldrive_0000_512.dat", "_filldrive_0001_512.dat", "_filldrive_0002_256.dat",
        "_filldrive_0003_128.dat", "_filldrive_0004_64.dat", "_filldrive_0005_32.dat",
        "_filldrive_0006_8.dat"},
       {}},
      {"a folder named like the next file is free, but cannot be created",
       [&] { ASSERT_TRUE(CreateDirectoryA((root + "_filldrive_0000_512.dat").c_str(), nullptr)); },
       root,
       {},
       {"Invalid File Handle", "failed to write to file 0. Aborting"}},
      {"a folder that does not exist",
       [] {},
       root + "missing\\folder",
       {},
       {"Invalid File Handle", "failed to write to file 0. Aborting"}},
      {"a full drive",
       [&] { ASSERT_TRUE(test::WriteFileOfSize(root + "big.bin", 4000 * 1024)); },
       root,
       {"big.bin"},
       {"Disk is already full!"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    test::EmptyFolder(root);
    gSearchMissesTheFirstName = false;
    c.prepare();
    TWin32FileSystem::TSystemCalls calls = TWin32FileSystem::SystemCalls();
    calls.attributes = Attributes;
    TWin32FileSystem disk(calls);
    test::TRecordingView view(disk);
    view.folder = c.folder;
    test::TRecordingSink sink;
    TFormatSettings format;
    TFillRun run(
        view, disk, [] { return static_cast<std::uint32_t>(GetTickCount()); }, format);
    run.Execute(ProgressProc::Bind<&TFillRun::ReportProgress>(&run));
    EXPECT_EQ(test::FilesIn(root), c.files);
    EXPECT_EQ(sink.messages, c.messages);
    if (c.messages.empty()) {
      EXPECT_EQ(test::Contents(root + "_filldrive_0000_512.dat"), "");
      EXPECT_EQ(view.figures.FreeClusters, 0);
    }
  }
  test::EmptyFolder(root);
  AbortRequested = false;
}

}  // namespace
}  // namespace brimvale
