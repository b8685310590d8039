#include <gtest/gtest.h>
#include <sys/statvfs.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "engine/UDiskInfo.h"
#include "engine/UDrive.h"
#include "engine/UFillWriter.h"
#include "engine/UGlobals.h"
#include "engine/platform/UPosixFileSystem.h"
#include "tests/support/TRecordingSink.h"

namespace brimvale {
namespace {

namespace fsys = std::filesystem;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/brimvale-posix-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    fs_.MapDrive('y', dir_.string());
    AbortRequested = false;
  }
  void TearDown() override { fsys::remove_all(dir_); }

  static std::string ReadAll(const fsys::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fsys::path dir_;
  TPosixFileSystem fs_;
  test::TRecordingSink sink_;
};

TEST_F(PosixFileSystemTest, MappedDriveReportsTheFileSystemFigures) {
  struct statvfs info {};
  ASSERT_EQ(statvfs(dir_.c_str(), &info), 0);
  const TDiskInfo probe = ProbeDisk("y:\\anything", ",", fs_);
  EXPECT_EQ(probe.Figures.ClusterSize, static_cast<std::int64_t>(info.f_frsize));
  // Other processes write too; the figure only has to be plausible.
  EXPECT_GT(probe.Figures.FreeBytes, 0);
  EXPECT_EQ(probe.Figures.FreeClusters, probe.Figures.FreeBytes / probe.Figures.ClusterSize);
}

TEST_F(PosixFileSystemTest, UnmappedLettersFailLikeMissingDrives) {
  for (const char* text : {"Q:\\", "1", "\\\\server", "\xE1"}) {
    const TDiskInfo probe = ProbeDisk(text, ",", fs_);
    EXPECT_EQ(probe.Figures.ClusterSize, 1) << text;
    EXPECT_EQ(probe.Figures.FreeBytes, -1) << text;
    EXPECT_EQ(probe.FreeClustersCaption, "0k, -1 clusters") << text;
  }
  fs_.UnmapDrives();
  EXPECT_EQ(GetClusterSize(25, fs_), 1);
  // Drive 0 is the current directory's.
  EXPECT_GT(GetClusterSize(0, fs_), 1);
}

TEST_F(PosixFileSystemTest, WritesZerosOfTheExactSizeThroughTheDriveLetter) {
  fsys::create_directory(dir_ / "sub");
  for (bool writeThrough : {false, true}) {
    const std::int32_t size = 3 * 65536 + 77;
    const std::string name = writeThrough ? "through.dat" : "cached.dat";
    EXPECT_TRUE(
        WriteFillFile("Y:\\sub\\" + name, 0, size, false, writeThrough, AbortRequested, {}, fs_));
    EXPECT_EQ(ReadAll(dir_ / "sub" / name), std::string(size, '\0'));
  }
  EXPECT_TRUE(sink_.messages.empty());
}

// A file, or a link of the name (dangling too: it would make the file
// elsewhere), takes the name and is never written; a folder does not take it.
TEST_F(PosixFileSystemTest, NothingThereIsCreatedOverAndFoldersAreNotFiles) {
  { std::ofstream(dir_ / "old.dat") << "kept"; }
  fsys::create_directory(dir_ / "folder.dat");
  fsys::create_symlink(dir_ / "elsewhere.dat", dir_ / "link.dat");
  EXPECT_TRUE(fs_.FileExists("Y:\\old.dat"));
  EXPECT_FALSE(fs_.FileExists("Y:\\folder.dat"));
  EXPECT_FALSE(fs_.FileExists("Y:\\missing.dat"));

  for (const auto& [name, taken] :
       {std::pair{"old.dat", true}, std::pair{"link.dat", true}, std::pair{"folder.dat", false},
        std::pair{"nowhere\\f", false}}) {
    bool nameTaken = !taken;
    EXPECT_EQ(fs_.CreateNew(std::string("Y:\\") + name, false, nameTaken), kInvalidFileHandle)
        << name;
    EXPECT_EQ(nameTaken, taken) << name;
  }
  EXPECT_FALSE(WriteFillFile("Y:\\old.dat", 0, 10, false, false, AbortRequested, {}, fs_));
  EXPECT_EQ(ReadAll(dir_ / "old.dat"), "kept");
  EXPECT_FALSE(fsys::exists(dir_ / "elsewhere.dat"));
  EXPECT_EQ(sink_.messages, std::vector<std::string>{"Invalid File Handle"});
}

}  // namespace
}  // namespace brimvale
