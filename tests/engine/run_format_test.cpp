#include <gtest/gtest.h>

#include "engine/UDuration.h"
#include "engine/UFillRun.h"
#include "engine/UProgress.h"

namespace brimvale {
namespace {

TEST(FormatDuration, DropsMillisecondsAndAddsHoursAndDaysWhenDue) {
  const std::pair<std::uint32_t, const char*> cases[] = {
      {0, "00:00"},
      {999, "00:00"},
      {59999, "00:59"},
      {61000, "01:01"},
      {3599999, "59:59"},
      {3600000, "1h 00:00"},
      {45296000, "12h 34:56"},
      {86400000, "1d 0h 00:00"},
      {93784000, "1d 2h 03:04"},
      {4294967295u, "49d 17h 02:47"},
  };
  for (const auto& [ms, text] : cases) EXPECT_EQ(FormatDuration(ms), text) << ms;
}

TEST(ComputeProgress, RoundsHalvesToEven) {
  struct TCase {
    std::uint32_t elapsed;
    double fraction, fileClusters, doneClusters, runClusters;
    int position;
    std::uint32_t estimate;
  };
  const TCase cases[] = {
      {1000, 0.125, 8, 0, 8, 12, 7000},      // overall 0.125: 12.5 goes down to 12
      {1000, 0.375, 8, 0, 8, 38, 1667},      // 37.5 goes up to 38; 2666.67 - 1000
      {50, 0.03125, 512, 0, 1000, 2, 3075},  // a 512-cluster file of 1,000 free
      {0, 0.5, 10, 0, 10, 50, 0},
      {3, 1, 1, 0, 8, 12, 21},  // total 24: estimate 24 - 3
      {5, 1, 1, 0, 2, 50, 5},
      {1, 0.5, 1, 0, 400, 0, 799},          // 0.125 % rounds to 0; total 800
      {2500, 1.0, 512, 488, 1000, 100, 0},  // the whole run: nothing left
      // Overall as a double: 2/3 a hair below, so 7 / overall (extended) is
      // 10.5000000000000005, 11; 0.025 a hair above, so the bar's 2.5 is 3.
      {7, 1, 2, 0, 3, 67, 4},
      {7, 0.03125, 512, 0, 640, 3, 273},
  };
  for (const TCase& c : cases) {
    const TProgress p =
        ComputeProgress(c.elapsed, c.fraction, c.fileClusters, c.doneClusters, c.runClusters);
    EXPECT_EQ(p.Position, c.position) << c.elapsed << " " << c.fraction;
    EXPECT_EQ(p.Estimate, c.estimate) << c.elapsed << " " << c.fraction;
  }
}

TEST(ComputeProgress, MoreThanTheWholeRunStaysFullWithNothingLeft) {
  const TProgress p = ComputeProgress(60000, 1.0, 512, 1000, 1000);
  EXPECT_EQ(p.Position, 100);
  EXPECT_EQ(p.Estimate, 0u);
}

TEST(ComputeProgress, NoProgressMeansNoEstimate) {
  EXPECT_EQ(ComputeProgress(1000, 0, 0, 0, 100).Estimate, 0u);
  EXPECT_EQ(ComputeProgress(1000, 0.5, 1, 0, 0).Position, 100);  // NaN-free: inf counts as full
  // A total far beyond 2^32 ms: the estimate stays at the longest duration
  // rather than wrapping.
  const TProgress vast = ComputeProgress(4000000000u, 1.0 / 16384, 1, 0, 1e15);
  EXPECT_EQ(vast.Position, 0);
  EXPECT_EQ(vast.Estimate, 0xFFFFFFFFu);
  EXPECT_EQ(ComputeProgress(100, 1, 1, 0, 1u << 28).Estimate, 0xFFFFFFFFu);  // 2^28 * 100 ms
}

TEST(FillRunNames, NumbersPadToFourDigitsAndPathsGetOneBackslash) {
  EXPECT_EQ(FillFileName(0, 262144), "_filldrive_0000_262144.dat");
  EXPECT_EQ(FillFileName(12, 8), "_filldrive_0012_8.dat");
  EXPECT_EQ(FillFileName(12345, 1), "_filldrive_12345_1.dat");
  EXPECT_EQ(TaskCaption("_filldrive_0000_512.dat", 512, 4096, ","),
            "Writing file \"_filldrive_0000_512.dat\", 512 clusters, 2,097,152 bytes");
  EXPECT_EQ(TaskCaption("x", 262144, 4096, ","),
            "Writing file \"x\", 262,144 clusters, 1,073,741,824 bytes");
}

// Paths are read by characters of their code page, whichever page the
// process has: in the double-byte pages a character's second byte may be
// 0x5C, the backslash's ("ソ" is 0x83 0x5C in 932).
TEST(FillRunNames, PathsEndAndSplitAtCharactersNotBytes) {
  struct TCase {
    unsigned codePage;
    const char* path;
    const char* withName;  // FillFilePath(path, "a.dat")
    const char* folder;    // FolderOf(path)
  };
  const TCase cases[] = {
      {1252, "D:\\", "D:\\a.dat", "D:\\"},
      {1252, "D:\\Work", "D:\\Work\\a.dat", "D:\\"},
      {1252, "C:a.txt", "C:a.txt\\a.dat", "C:"},
      {932, "Y:\\\x83\x5C", "Y:\\\x83\x5C\\a.dat", "Y:\\"},              // ソ
      {932, "Y:\\\x83\x5C\\", "Y:\\\x83\x5C\\a.dat", "Y:\\\x83\x5C\\"},  // ソ and a backslash
      {932, "Y:\\\x83\x5C\x83t\x83g.exe", "Y:\\\x83\x5C\x83t\x83g.exe\\a.dat",
       "Y:\\"},                                                              // ソフト.exe
      {936, "Y:\\\xD5\x5C", "Y:\\\xD5\x5C\\a.dat", "Y:\\"},                  // 誠
      {949, "Y:\\\xB0\xA1\\", "Y:\\\xB0\xA1\\a.dat", "Y:\\\xB0\xA1\\"},      // 가 and a backslash
      {950, "Y:\\\xB3\x5C\xA5\x5C", "Y:\\\xB3\x5C\xA5\x5C\\a.dat", "Y:\\"},  // 許功
      {950, "Y:\\\xB3", "Y:\\\xB3\\a.dat", "Y:\\"},  // a lead byte cut off at the end
      {65001, "Y:\\\xD0\x94\xD0\xBE\xD0\xBC", "Y:\\\xD0\x94\xD0\xBE\xD0\xBC\\a.dat",
       "Y:\\"},  // Дом
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.codePage << " " << c.path);
    const TLeadBytes lead = LeadBytesOf(c.codePage);
    ASSERT_EQ(lead.none(), c.codePage == 1252 || c.codePage == 65001) << "no table for the page";
    EXPECT_EQ(FillFilePath(c.path, "a.dat", lead), c.withName);
    EXPECT_EQ(FolderOf(c.path, lead), c.folder);
  }
}

TEST(FillRunChunks, StartAtOneGibibyteAndHalveUntilTheyFit) {
  EXPECT_EQ(FirstChunk(4096), 262144);
  EXPECT_EQ(FirstChunk(512), 2097152);
  EXPECT_EQ(FirstChunk(65536), 16384);
  EXPECT_EQ(FirstChunk(2147483647), 0);
  EXPECT_EQ(HalveToFit(262144, 1000, 4096), 512);
  EXPECT_EQ(HalveToFit(262144, 262144, 4096), 262144);  // equality does not halve
  EXPECT_EQ(HalveToFit(32, 8, 4096), 8);
  EXPECT_EQ(HalveToFit(8, 0, 4096), 0);
  EXPECT_EQ(HalveToFit(8, -1, 4096), 0);  // ends instead of halving 0 for ever
  // Clusters that grew (another medium): the file still fits 1 GiB.
  EXPECT_EQ(HalveToFit(262144, 1 << 20, 65536), 16384);
}

}  // namespace
}  // namespace brimvale
