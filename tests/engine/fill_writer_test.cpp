#include <gtest/gtest.h>

#include <vector>

#include "engine/UFillWriter.h"
#include "engine/UGlobals.h"
#include "tests/fakes/TFakeFileSystem.h"
#include "tests/support/TRecordingSink.h"

namespace brimvale {
namespace {

using test::TFakeFileSystem;

// Records each progress report; can press "Abort" after a given block.
struct TProgressLog {
  std::vector<double> fractions;
  int abortAfter = 0;  // 1-based block after which the flag is set; 0 never
  bool* flag = nullptr;

  void OnProgress(double fraction) {
    fractions.push_back(fraction);
    if (flag && static_cast<int>(fractions.size()) == abortAfter) *flag = true;
  }
  ProgressProc Proc() { return ProgressProc::Bind<&TProgressLog::OnProgress>(this); }
};

class WriteFillFileTest : public ::testing::Test {
 protected:
  void SetUp() override { AbortRequested = false; }
  void TearDown() override { AbortRequested = false; }

  bool Write(std::int32_t size, bool writeThrough = false) {
    return WriteFillFile("Y:\\fill.dat", 0, size, false, writeThrough, AbortRequested, log.Proc(),
                         fs);
  }
  const TFakeFileSystem::TFile& File() { return fs.files.at("Y:\\fill.dat"); }

  TFakeFileSystem fs;
  TProgressLog log;
  test::TRecordingSink sink;
};

TEST_F(WriteFillFileTest, SplitsIntoBlocksAndReportsEachOne) {
  struct TCase {
    std::int32_t size;
    std::vector<std::uint32_t> writes;
    std::vector<double> fractions;
  };
  const TCase cases[] = {
      {1, {1}, {1.0}},
      {65536, {65536}, {1.0}},
      {65537, {65536, 1}, {65536.0 / 65537.0, 1.0}},
      {3 * 65536 - 5, {65536, 65536, 65531}, {65536.0 / 196603, 131072.0 / 196603, 1.0}},
  };
  for (const TCase& c : cases) {
    fs.files.clear();
    log.fractions.clear();
    EXPECT_TRUE(Write(c.size)) << c.size;
    EXPECT_EQ(File().writes, c.writes) << c.size;
    EXPECT_EQ(File().size, c.size);
    EXPECT_TRUE(File().uniform);
    EXPECT_EQ(File().head[0], 0);
    EXPECT_TRUE(File().flushed);
    EXPECT_TRUE(File().closed);
    ASSERT_EQ(log.fractions.size(), c.fractions.size());
    for (std::size_t i = 0; i < c.fractions.size(); ++i)
      EXPECT_EQ(log.fractions[i], c.fractions[i]);
  }
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(WriteFillFileTest, OneGibibyteIs16384FullBlocksEndingAtExactlyOne) {
  EXPECT_TRUE(Write(1073741824));
  EXPECT_EQ(File().writes.size(), 16384u);
  EXPECT_EQ(File().writes.back(), 65536u);
  EXPECT_EQ(File().size, 1073741824);
  ASSERT_EQ(log.fractions.size(), 16384u);
  EXPECT_EQ(log.fractions[0], 1.0 / 16384);
  EXPECT_EQ(log.fractions.back(), 1.0);
  EXPECT_EQ(fs.calls.back(), "close");
  EXPECT_EQ(fs.calls[fs.calls.size() - 2], "flush");
}

// 104,857 clusters of 5,120 bytes: after block 7,281 the quotient is within
// an extended ulp of a half-way point between two doubles.
TEST_F(WriteFillFileTest, FractionsAreRoundedFromExtendedPrecisionInEveryBuild) {
  EXPECT_TRUE(Write(104857 * 5120));
  EXPECT_EQ(log.fractions.at(7280), 0x1.c710aaa63ffe6p-1);  // not ...e5, the nearer double
}

TEST_F(WriteFillFileTest, PassesWriteThroughAndTheFillValue) {
  EXPECT_TRUE(WriteFillFile("Y:\\a", 0xA5, 70000, false, true, AbortRequested, {}, fs));
  EXPECT_TRUE(fs.files.at("Y:\\a").writeThrough);
  EXPECT_TRUE(fs.files.at("Y:\\a").uniform);
  EXPECT_EQ(fs.files.at("Y:\\a").head[0], 0xA5);
  EXPECT_EQ(fs.files.at("Y:\\a").size, 70000);
  EXPECT_TRUE(Write(1));
  EXPECT_FALSE(File().writeThrough);
}

TEST_F(WriteFillFileTest, AbortAfterBlockKStopsThereFlushedAndClosed) {
  for (int k : {1, 2, 5}) {
    fs.files.clear();
    log.fractions.clear();
    AbortRequested = false;
    log.abortAfter = k;
    log.flag = &AbortRequested;
    EXPECT_TRUE(Write(5 * 65536 + 100)) << k;
    EXPECT_EQ(File().size, k * 65536) << k;
    EXPECT_EQ(log.fractions.size(), static_cast<std::size_t>(k));
    EXPECT_TRUE(File().flushed);
    EXPECT_TRUE(File().closed);
  }
  // The last block: the file is complete all the same.
  fs.files.clear();
  AbortRequested = false;
  log.abortAfter = 1;
  log.fractions.clear();
  EXPECT_TRUE(Write(1000));
  EXPECT_EQ(File().size, 1000);
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(WriteFillFileTest, TheCallersFlagStopsTheLoopTheGlobalOneTheWrite) {
  // A flag of the caller's own ends the loop after the block...
  bool mine = false;
  log.abortAfter = 2;
  log.flag = &mine;
  EXPECT_TRUE(WriteFillFile("Y:\\fill.dat", 0, 4 * 65536, false, false, mine, log.Proc(), fs));
  EXPECT_EQ(File().size, 2 * 65536);
  EXPECT_TRUE(File().flushed);

  // ...while the global flag, set before a block is checked, closes unflushed.
  fs.files.clear();
  log.fractions.clear();
  mine = false;
  log.flag = &AbortRequested;
  log.abortAfter = 2;
  EXPECT_TRUE(WriteFillFile("Y:\\fill.dat", 0, 4 * 65536, false, false, mine, log.Proc(), fs));
  EXPECT_EQ(File().size, 3 * 65536);
  EXPECT_FALSE(File().flushed);
  EXPECT_TRUE(File().closed);
}

TEST_F(WriteFillFileTest, FailuresReportAndLeaveThePartialFile) {
  struct TCase {
    const char* name;
    void (*arrange)(TFakeFileSystem&);
    std::int64_t sizeLeft;
    std::vector<std::string> messages;
    bool flushed;
    std::size_t progressCalls;
  };
  const TCase cases[] = {
      {"create fails",
       [](TFakeFileSystem& f) { f.failCreate = true; },
       -1,
       {"Invalid File Handle"},
       false,
       0},
      {"third write fails",
       [](TFakeFileSystem& f) { f.failWriteNumber = 3; },
       2 * 65536,
       {"Failed to write to file."},
       false,
       2},
      {"second write short",
       [](TFakeFileSystem& f) { f.shortWriteNumber = 2; },
       2 * 65536 - 1,
       {},
       false,
       1},
      {"disk full, refused",
       [](TFakeFileSystem& f) { f.capacity = 100000; },
       65536,
       {"Failed to write to file."},
       false,
       1},
      {"disk full, cut short",
       [](TFakeFileSystem& f) {
         f.capacity = 100000;
         f.whenFull = TFakeFileSystem::TFull::Short;
       },
       100000,
       {},
       false,
       1},
      {"close fails", [](TFakeFileSystem& f) { f.failClose = true; }, 4 * 65536, {}, true, 4},
  };
  for (const TCase& c : cases) {
    fs = TFakeFileSystem{};
    log.fractions.clear();
    sink.messages.clear();
    c.arrange(fs);
    EXPECT_FALSE(Write(4 * 65536)) << c.name;
    EXPECT_EQ(sink.messages, c.messages) << c.name;
    EXPECT_EQ(log.fractions.size(), c.progressCalls) << c.name;
    if (c.sizeLeft < 0) {
      EXPECT_TRUE(fs.files.empty()) << c.name;
      continue;
    }
    EXPECT_EQ(File().size, c.sizeLeft) << c.name;
    EXPECT_EQ(File().flushed, c.flushed) << c.name;
    EXPECT_TRUE(File().closed) << c.name;
  }
}

// Abort pressed while the failure message was open turns the failure into a stop.
class TAbortingSink final : public TMessageSink {
 public:
  void Show(const std::string&) override { AbortRequested = true; }
};

TEST_F(WriteFillFileTest, AFailedWriteAfterAbortCountsAsStopped) {
  TAbortingSink aborting;
  TMessageSink* previous = SetMessageSink(&aborting);
  fs.failWriteNumber = 2;
  EXPECT_TRUE(Write(4 * 65536));
  SetMessageSink(previous);
  EXPECT_EQ(File().size, 65536);
  EXPECT_TRUE(File().closed);
}

TEST_F(WriteFillFileTest, RandomFillFollowsTheProcessWideSequence) {
  RandSeed = 0;
  EXPECT_TRUE(WriteFillFile("Y:\\r", 0, 65536, true, false, AbortRequested, {}, fs));
  const std::vector<unsigned char> first(fs.files.at("Y:\\r").head.begin(),
                                         fs.files.at("Y:\\r").head.begin() + 8);
  EXPECT_EQ(first, (std::vector<unsigned char>{0x00, 0x08, 0xDC, 0x33, 0x45, 0xAB, 0x51, 0x29}));
  EXPECT_FALSE(fs.files.at("Y:\\r").uniform);

  // The state carries on from file to file instead of restarting.
  EXPECT_TRUE(WriteFillFile("Y:\\s", 0, 8, true, false, AbortRequested, {}, fs));
  EXPECT_NE(std::vector<unsigned char>(fs.files.at("Y:\\s").head.begin(),
                                       fs.files.at("Y:\\s").head.end()),
            first);
}

}  // namespace
}  // namespace brimvale
