#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/UFillRun.h"
#include "engine/UGlobals.h"
#include "tests/fakes/TCountingDisk.h"
#include "tests/support/TRecordingSink.h"
#include "tests/support/TRecordingView.h"

namespace brimvale {
namespace {

using test::TCountingDisk;

// One fill run on a counting disk, in a recording view, with a clock that
// reads `startTick` at the run's start, then `firstBlockMs` more at the
// first report and 1 ms more at each report after it.
struct TRunner {
  TRunner(std::uint32_t clusterBytes, std::int64_t freeClusters)
      : disk(clusterBytes, freeClusters) {
    AbortRequested = false;
  }
  ~TRunner() { AbortRequested = false; }

  void Execute() { run.Execute(ProgressProc::Bind<&TFillRun::ReportProgress>(&run)); }

  std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    for (const auto& file : disk.files) paths.push_back(file.path);
    return paths;
  }
  std::vector<std::int64_t> Sizes() const {
    std::vector<std::int64_t> sizes;
    for (const auto& file : disk.files) sizes.push_back(file.size);
    return sizes;
  }

  TCountingDisk disk;
  test::TRecordingView view{disk};
  test::TRecordingSink sink;
  TFormatSettings format;  // a comma between thousands
  std::uint32_t startTick = 5000, firstBlockMs = 1;
  long long readings = 0;
  TFillRun run{view, disk,
               [this] {
                 const long long reading = readings++;
                 return static_cast<std::uint32_t>(startTick +
                                                   (reading == 0 ? 0 : firstBlockMs + reading - 1));
               },
               format};
};

std::string In(const std::string& name) { return "Y:\\fill\\" + name; }

const std::vector<std::string> kIdleAfterARun = {"running", "shown", "hidden", "idle",
                                                 "time left reset"};

TEST(FillRun, TheWorkedExampleOfAThousandClusters) {
  TRunner r(4096, 1000);
  r.firstBlockMs = 50;
  r.view.onReport = [&](long long report) {
    if (report == 1) r.view.writeThrough = true;  // ticked during the first file
  };
  r.Execute();

  EXPECT_TRUE(r.sink.messages.empty());
  EXPECT_EQ(r.Paths(),
            (std::vector<std::string>{In("_filldrive_0000_512.dat"), In("_filldrive_0001_256.dat"),
                                      In("_filldrive_0002_128.dat"), In("_filldrive_0003_64.dat"),
                                      In("_filldrive_0004_32.dat"), In("_filldrive_0005_8.dat")}));
  EXPECT_EQ(r.Sizes(),
            (std::vector<std::int64_t>{2097152, 1048576, 524288, 262144, 131072, 32768}));
  ASSERT_EQ(r.view.tasks.size(), 6u);
  EXPECT_EQ(r.view.tasks[0],
            "Writing file \"_filldrive_0000_512.dat\", 512 clusters, 2,097,152 bytes");
  EXPECT_EQ(r.view.tasks[5], "Writing file \"_filldrive_0005_8.dat\", 8 clusters, 32,768 bytes");
  // The check box is read at each file: the first was started before it was ticked.
  EXPECT_FALSE(r.disk.files[0].writeThrough);
  EXPECT_TRUE(r.disk.files[1].writeThrough && r.disk.files[5].writeThrough);

  // First block after 50 ms at overall 0.016: bar 2, 3,075 ms left.
  EXPECT_EQ(r.view.first.Position, 2);
  EXPECT_EQ(r.view.first.Estimate, 3075u);
  EXPECT_EQ(FormatDuration(r.view.first.Estimate), "00:03");
  EXPECT_EQ(r.view.reports, 32 + 16 + 8 + 4 + 2 + 1);
  EXPECT_EQ(r.view.last.Position, 100);
  EXPECT_EQ(r.view.LastTimeLeft(), "00:00");

  EXPECT_EQ(r.view.log, kIdleAfterARun);
  EXPECT_EQ(r.run.RunClusters(), 1000);
  EXPECT_EQ(r.run.DoneClusters(), 1000);
  EXPECT_EQ(r.run.StartTick(), 5000u);
  EXPECT_EQ(r.view.figures.FreeClusters, 0);
  EXPECT_EQ(r.view.freeClustersCaption, "0k, 0 clusters");
  // The drive is probed at the start, after each file and at the end: never per block.
  EXPECT_EQ(r.disk.freeQueries, 1 + 6 + 1);
}

TEST(FillRun, NamesInUseAreSkippedAndNumberedOn) {
  struct TCase {
    const char* what;
    std::vector<std::string> files, folders;
    std::vector<std::string> paths, messages;
    // Made by others between the name search and the creation: never opened.
    std::vector<std::string> appearing = {};
  };
  std::vector<std::string> first10000;
  for (int n = 0; n < 10000; ++n) first10000.push_back(In(FillFileName(n, 512)));
  const TCase cases[] = {
      {"a file of the first name",
       {In("_filldrive_0000_512.dat")},
       {},
       {In("_filldrive_0001_512.dat"), In("_filldrive_0002_256.dat"), In("_filldrive_0003_128.dat"),
        In("_filldrive_0004_64.dat"), In("_filldrive_0005_32.dat"), In("_filldrive_0006_8.dat")},
       {}},
      {"a folder named like the next file",
       {In("_filldrive_0000_512.dat"), In("_filldrive_0001_512.dat")},
       {In("_filldrive_0002_512.dat")},
       {},
       {"Invalid File Handle", "failed to write to file 2. Aborting"}},
      {"numbers past 9,999",
       first10000,
       {},
       {In("_filldrive_10000_512.dat"), In("_filldrive_10001_256.dat"),
        In("_filldrive_10002_128.dat"), In("_filldrive_10003_64.dat"),
        In("_filldrive_10004_32.dat"), In("_filldrive_10005_8.dat")},
       {}},
      {"names taken after the search",
       {},
       {},
       {In("_filldrive_0002_512.dat"), In("_filldrive_0004_256.dat"), In("_filldrive_0005_128.dat"),
        In("_filldrive_0006_64.dat"), In("_filldrive_0007_32.dat"), In("_filldrive_0008_8.dat")},
       {},
       {In("_filldrive_0000_512.dat"), In("_filldrive_0001_512.dat"),
        In("_filldrive_0003_256.dat")}},
      {"sixteen names in a row taken after the search",
       {},
       {},
       {},
       {"Invalid File Handle", "failed to write to file 15. Aborting"},
       {first10000.begin(), first10000.begin() + 16}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TRunner r(4096, 1000);
    r.disk.existing.insert(c.files.begin(), c.files.end());
    r.disk.folders.insert(c.folders.begin(), c.folders.end());
    r.disk.appearing.insert(c.appearing.begin(), c.appearing.end());
    r.Execute();
    EXPECT_EQ(r.Paths(), c.paths);
    EXPECT_EQ(r.sink.messages, c.messages);
    EXPECT_EQ(AbortRequested, !c.messages.empty());
    EXPECT_EQ(r.view.log, kIdleAfterARun);
  }
}

// How runs end early: the start checks, failures, Abort, and drives that
// answer oddly. A hook can change the drive or press Abort at a report.
TEST(FillRun, EndsWithTheRightMessageAndLeavesWhatWasWritten) {
  const std::vector<std::string> refused = {"running", "hidden", "idle", "time left reset"};
  struct TCase {
    const char* what;
    std::uint32_t clusterBytes;
    std::int64_t freeClusters;
    std::function<void(TRunner&)> before;
    std::function<void(TRunner&, long long report)> atReport;
    std::vector<std::string> messages;
    std::vector<std::int64_t> sizes;
    double doneClusters;
    bool started;  // the progress controls were shown
  };
  const TCase cases[] = {
      {"an empty folder text",
       4096,
       1000,
       [](TRunner& r) { r.view.folder = ""; },
       nullptr,
       {"Invalid Cluster Size or cannot read cluster size from disk"},
       {},
       0,
       false},
      {"a cluster size of 0",
       0,
       1000,
       nullptr,
       nullptr,
       {"Invalid Cluster Size or cannot read cluster size from disk"},
       {},
       0,
       false},
      {"a full drive", 4096, 0, nullptr, nullptr, {"Disk is already full!"}, {}, 0, false},
      {"free space unreadable at the start",
       4096,
       1000,
       [](TRunner& r) { r.disk.clusterQueryOk = r.disk.freeQueryOk = false; },
       nullptr,
       {"Cannot read free space from disk"},
       {},
       0,
       false},
      {"clusters above 1 GiB: nothing fits a file",
       0x60000000,
       4,
       nullptr,
       nullptr,
       {},
       {},
       0,
       true},
      {"a folder that does not exist",
       4096,
       1000,
       [](TRunner& r) { r.disk.failCreate = true; },
       nullptr,
       {"Invalid File Handle", "failed to write to file 0. Aborting"},
       {},
       0,
       true},
      {"a failed write in the third file",
       4096,
       1000,
       [](TRunner& r) { r.disk.failWriteNumber = 32 + 16 + 3; },
       nullptr,
       {"Failed to write to file.", "failed to write to file 2. Aborting"},
       {2097152, 1048576, 2 * 65536},
       768,
       true},
      {"Abort after block 3 of the second file",
       4096,
       1000,
       nullptr,
       [](TRunner&, long long report) {
         if (report == 32 + 3) AbortRequested = true;
       },
       {},
       {2097152, 3 * 65536},
       512,
       true},
      // A compressed folder: no file takes space. The second file proves it.
      {"free space that does not shrink",
       4096,
       100,
       [](TRunner& r) { r.disk.spaceFollowsWrites = false; },
       nullptr,
       {"The drive's free space did not shrink while writing. Aborting"},
       {64 * 4096, 64 * 4096},
       128,
       true},
      // A busy drive: another program frees 300 clusters during the second
      // file and again during the fourth; the run fills what is free.
      {"free space that grows during two files, not in a row",
       4096,
       1000,
       nullptr,
       [](TRunner& r, long long report) {
         if (report == 40 || report == 70) r.disk.freeBytes += 300 * 4096;
       },
       {},
       {2097152, 1048576, 1048576, 1048576, 1048576, 262144},
       1600,
       true},
      {"free space unreadable after a file",
       4096,
       1000,
       nullptr,
       [](TRunner& r, long long report) {
         if (report == 32) r.disk.clusterQueryOk = r.disk.freeQueryOk = false;
       },
       {"Cannot read free space from disk"},
       {2097152},
       512,
       true},
      // Another medium with larger clusters in the same drive: the files
      // still hold at most 1 GiB, which the writer's 32 bits can count.
      {"clusters that grow during a run",
       4096,
       3 * 262144,
       nullptr,
       [](TRunner& r, long long report) {
         if (report == 16384) r.disk.clusterBytes = 65536;
       },
       {},
       {1 << 30, 1 << 30, 1 << 30},
       262144 + 2 * 16384,
       true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TRunner r(c.clusterBytes, c.freeClusters);
    if (c.before) c.before(r);
    if (c.atReport) r.view.onReport = [&](long long report) { c.atReport(r, report); };
    r.Execute();
    EXPECT_EQ(r.sink.messages, c.messages);
    EXPECT_EQ(r.Sizes(), c.sizes);
    EXPECT_EQ(r.run.DoneClusters(), c.doneClusters);
    EXPECT_EQ(r.view.log, c.started ? kIdleAfterARun : refused);
    for (const auto& file : r.disk.files) EXPECT_TRUE(file.closed) << file.path;
  }
}

// The first file holds the whole clusters of 1 GiB, whatever their size.
TEST(FillRun, EveryClusterSizeStartsWithAGibibyteFile) {
  struct TCase {
    std::uint32_t clusterBytes;
    std::vector<std::string> names;
  };
  const TCase cases[] = {
      {512, {"_filldrive_0000_2097152.dat", "_filldrive_0001_2.dat", "_filldrive_0002_1.dat"}},
      {4096, {"_filldrive_0000_262144.dat", "_filldrive_0001_2.dat", "_filldrive_0002_1.dat"}},
      {65536, {"_filldrive_0000_16384.dat", "_filldrive_0001_2.dat", "_filldrive_0002_1.dat"}},
      {2097152, {"_filldrive_0000_512.dat", "_filldrive_0001_2.dat", "_filldrive_0002_1.dat"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.clusterBytes);
    const std::int64_t first = (std::int64_t{1} << 30) / c.clusterBytes;
    TRunner r(c.clusterBytes, first + 3);
    r.Execute();
    std::vector<std::string> paths;
    for (const std::string& name : c.names) paths.push_back(In(name));
    EXPECT_EQ(r.Paths(), paths);
    EXPECT_EQ(r.Sizes(), (std::vector<std::int64_t>{std::int64_t{1} << 30, 2 * c.clusterBytes,
                                                    c.clusterBytes}));
    EXPECT_TRUE(r.sink.messages.empty());
  }
}

TEST(FillRun, AnEscapingErrorStillRestoresTheIdleState) {
  TRunner r(4096, 1000);
  r.view.onReport = [](long long report) {
    if (report == 5) throw std::runtime_error("broken");
  };
  EXPECT_THROW(r.Execute(), std::runtime_error);
  EXPECT_EQ(r.view.log, kIdleAfterARun);
  EXPECT_EQ(r.disk.freeQueries, 2);  // the closing steps probed again
  ASSERT_EQ(r.disk.files.size(), 1u);
  EXPECT_TRUE(r.disk.files[0].closed);
}

// Drives far beyond any here, on the counting disk: 2^32 clusters and more
// bytes than 32 bits count, in sizes, counts, captions and the clock.
TEST(FillRunAtScale, FillsTerabyteDrivesExactly) {
  struct TCase {
    const char* what;
    std::uint32_t clusterBytes;
    std::int64_t freeClusters;
    std::uint32_t startTick, firstBlockMs;
    const char* freeCaption;
    const char* lastTask;
  };
  const TCase cases[] = {
      // The tick counter wraps 100 s in; the slow first block makes the
      // whole run's estimate larger than 2^32 ms at first.
      {"16 TiB of 4 KiB clusters", 4096, std::int64_t{1} << 32, 0xFFFFFFFFu - 100000, 100,
       "17,179,869,184k, 4,294,967,296 clusters",
       "Writing file \"_filldrive_16383_262144.dat\", 262,144 clusters, 1,073,741,824 bytes"},
      {"2 TiB of 512-byte clusters", 512, std::int64_t{1} << 32, 5000, 1,
       "2,147,483,648k, 4,294,967,296 clusters",
       "Writing file \"_filldrive_2047_2097152.dat\", 2,097,152 clusters, 1,073,741,824 bytes"},
      // An odd count: after the full files the tail takes every power of two.
      {"2^32 - 1 clusters of 512 bytes", 512, (std::int64_t{1} << 32) - 1, 5000, 1,
       "2,147,483,648k, 4,294,967,295 clusters",
       "Writing file \"_filldrive_2067_1.dat\", 1 clusters, 512 bytes"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto started = std::chrono::steady_clock::now();
    TRunner r(c.clusterBytes, c.freeClusters);
    r.startTick = c.startTick;
    r.firstBlockMs = c.firstBlockMs;
    r.Execute();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    std::printf("[ scale    ] %s: %zu files, %lld reports, %.1f s\n", c.what, r.disk.files.size(),
                r.view.reports, took.count());

    // The closed form: as many full 1 GiB files as fit, then one file for
    // each set bit of the rest, largest first.
    const std::int64_t full = (std::int64_t{1} << 30) / c.clusterBytes;
    std::vector<std::int64_t> chunks(static_cast<std::size_t>(c.freeClusters / full), full);
    for (std::int64_t bit = full / 2; bit > 0; bit /= 2)
      if (c.freeClusters % full & bit) chunks.push_back(bit);
    ASSERT_EQ(r.disk.files.size(), chunks.size());
    for (std::size_t i = 0; i < chunks.size(); ++i) {
      ASSERT_EQ(r.disk.files[i].path, In(FillFileName(static_cast<std::int32_t>(i), chunks[i])));
      ASSERT_EQ(r.disk.files[i].size, chunks[i] * c.clusterBytes);
    }
    EXPECT_EQ(r.disk.written, c.freeClusters * c.clusterBytes);
    EXPECT_TRUE(r.sink.messages.empty());
    EXPECT_EQ(r.view.freeCaptions.front(), c.freeCaption);
    EXPECT_EQ(r.view.freeClustersCaption, "0k, 0 clusters");
    EXPECT_EQ(r.view.tasks.back(), c.lastTask);
    EXPECT_EQ(r.run.RunClusters(), static_cast<double>(c.freeClusters));
    EXPECT_EQ(r.run.DoneClusters(), static_cast<double>(c.freeClusters));

    EXPECT_EQ(r.view.reports, r.readings - 1);
    EXPECT_FALSE(r.view.positionFell);
    EXPECT_EQ(r.view.last.Position, 100);
    EXPECT_EQ(r.view.LastTimeLeft(), "00:00");
    // Elapsed time across the wrap of the tick counter: one ms a block.
    EXPECT_EQ(r.view.last.Elapsed, c.firstBlockMs + r.view.reports - 1);
    // At a steady rate the estimate only falls; a wrap would make it jump.
    EXPECT_LE(r.view.largestEstimateRise, 1000u);
    if (c.firstBlockMs > 1) {
      EXPECT_EQ(r.view.first.Estimate, 0xFFFFFFFFu);
    }
  }
}

}  // namespace
}  // namespace brimvale
