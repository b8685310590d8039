#include <gtest/gtest.h>

#include "engine/UDiskInfo.h"
#include "tests/fakes/TFakeFileSystem.h"

namespace brimvale {
namespace {

TEST(ProbeDisk, CaptionsRoundWhileTheCountTruncates) {
  struct TCase {
    std::uint32_t clusterBytes;
    std::int64_t freeBytes;
    std::int64_t freeClusters;
    const char* clusterCaption;
    const char* freeCaption;
  };
  const TCase cases[] = {
      {4096, 10737418240, 2621440, "4096 bytes", "10,485,760k, 2,621,440 clusters"},
      {4096, 7000, 1, "4096 bytes", "7k, 2 clusters"},
      {4096, 2048, 0, "4096 bytes", "2k, 1 clusters"},
      {4096, 0, 0, "4096 bytes", "0k, 0 clusters"},
      {512, 1536, 3, "512 bytes", "2k, 3 clusters"},
  };
  for (const TCase& c : cases) {
    test::TFakeFileSystem fs;
    fs.clusterBytes = c.clusterBytes;
    fs.freeBytes = c.freeBytes;
    const TDiskInfo info = ProbeDisk("c:\\work", ",", fs);
    EXPECT_TRUE(info.HasDrive);
    EXPECT_EQ(info.Figures.ClusterSize, c.clusterBytes);
    EXPECT_EQ(info.Figures.FreeBytes, c.freeBytes);
    EXPECT_EQ(info.Figures.FreeClusters, c.freeClusters) << c.freeBytes;
    EXPECT_EQ(info.ClusterSizeCaption, c.clusterCaption);
    EXPECT_EQ(info.FreeClustersCaption, c.freeCaption);
  }
}

TEST(ProbeDisk, FailedQueriesGiveTheFixedValues) {
  test::TFakeFileSystem fs;
  fs.clusterQueryOk = false;
  fs.freeQueryOk = false;
  const TDiskInfo failed = ProbeDisk("\\\\server\\share", ",", fs);
  EXPECT_EQ(fs.rootsAsked.front(), "\\:\\");
  EXPECT_EQ(failed.Figures.ClusterSize, 1);
  EXPECT_EQ(failed.Figures.FreeBytes, -1);
  EXPECT_EQ(failed.Figures.FreeClusters, -1);
  EXPECT_EQ(failed.ClusterSizeCaption, "1 bytes");
  EXPECT_EQ(failed.FreeClustersCaption, "0k, -1 clusters");

  // Free space unreadable on a drive whose cluster size is known.
  fs.clusterQueryOk = true;
  const TDiskInfo noSpace = ProbeDisk("D:\\", ",", fs);
  EXPECT_EQ(noSpace.Figures.FreeBytes, -1);
  EXPECT_EQ(noSpace.Figures.FreeClusters, 0);  // -1 div 4096 truncates toward zero
  EXPECT_EQ(noSpace.FreeClustersCaption, "0k, 0 clusters");
}

TEST(ProbeDisk, EmptyTextAsksNothing) {
  test::TFakeFileSystem fs;
  const TDiskInfo info = ProbeDisk("", ",", fs);
  EXPECT_FALSE(info.HasDrive);
  EXPECT_EQ(info.Figures.ClusterSize, -1);
  EXPECT_EQ(info.Figures.FreeBytes, 0);
  // The previous drive's free-cluster count stays; the rest is the probe's.
  const TDiskFigures after = info.FiguresAfter({4096, 8192, 2});
  EXPECT_EQ(after.ClusterSize, -1);
  EXPECT_EQ(after.FreeClusters, 2);
  EXPECT_EQ(info.ClusterSizeCaption, "...");
  EXPECT_EQ(info.FreeClustersCaption, "...");
  EXPECT_TRUE(fs.rootsAsked.empty());
}

TEST(ProbeDisk, ZeroBytesPerClusterDoesNotDivide) {
  test::TFakeFileSystem fs;
  fs.clusterBytes = 0;
  fs.freeBytes = 8192;
  const TDiskInfo info = ProbeDisk("e:\\", ",", fs);
  EXPECT_EQ(info.Figures.ClusterSize, 0);
  EXPECT_EQ(info.Figures.FreeClusters, 0);
  EXPECT_EQ(info.ClusterSizeCaption, "0 bytes");
  EXPECT_EQ(info.FreeClustersCaption, "8k, 0 clusters");
}

TEST(ProbeDisk, OnlyTheFirstCharacterChoosesTheDrive) {
  test::TFakeFileSystem fs;
  ProbeDisk("work", ",", fs);
  ProbeDisk("@home", ",", fs);
  ProbeDisk("\xE1\xE2", ",", fs);
  EXPECT_EQ(fs.rootsAsked,
            (std::vector<std::string>{"W:\\", "W:\\", "", "", "\xC1:\\", "\xC1:\\"}));
}

}  // namespace
}  // namespace brimvale
