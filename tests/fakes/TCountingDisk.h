#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "engine/platform/UFileSystem.h"

namespace brimvale::test {

// A drive that stores no bytes but answers as a real one would: its free
// space falls with every byte written, and writes that do not fit fail. It
// costs nothing per byte, so a 16 TiB drive fills in seconds.
class TCountingDisk final : public TFileSystem {
 public:
  struct TFile {
    std::string path;
    std::int64_t size = 0;
    bool writeThrough = false;
    bool closed = false;
  };

  TCountingDisk(std::uint32_t clusterBytes, std::int64_t freeClusters)
      : clusterBytes(clusterBytes), freeBytes(freeClusters * clusterBytes) {}

  // The drive's answers.
  bool clusterQueryOk = true;
  std::uint32_t clusterBytes;
  bool freeQueryOk = true;
  std::int64_t freeBytes;          // at the start
  bool spaceFollowsWrites = true;  // false: the free space never shrinks
  int freeQueries = 0;

  // The folder's entries and faults.
  std::set<std::string> existing;   // files of these paths exist
  std::set<std::string> folders;    // folders of these paths exist: no file can take the name
  std::set<std::string> appearing;  // files made by others between the name search and creation
  bool failCreate = false;          // as in a folder that does not exist
  int failWriteNumber = 0;          // the nth write call fails (1-based; 0 never)

  std::vector<TFile> files;  // in the order they were created
  std::int64_t written = 0;  // bytes, all files

  bool ClusterBytes(const char* rootPath, std::uint32_t& bytesPerCluster) override;
  bool FreeBytesAvailable(const char* rootPath, std::int64_t& bytes) override;
  TFileHandle CreateNew(const std::string& path, bool writeThrough, bool& nameTaken) override;
  bool Write(TFileHandle file, const void* data, std::uint32_t count, std::uint32_t& done) override;
  void Flush(TFileHandle) override {}
  bool Close(TFileHandle file) override;
  bool FileExists(const std::string& path) override { return existing.count(path) > 0; }

 private:
  int writeCalls_ = 0;
};

}  // namespace brimvale::test
