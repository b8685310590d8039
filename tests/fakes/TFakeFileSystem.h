#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/platform/UFileSystem.h"

namespace brimvale::test {

// An in-memory disk that counts bytes instead of keeping them, so that a
// 1 GiB file costs nothing, and that fails on request.
class TFakeFileSystem final : public TFileSystem {
 public:
  struct TFile {
    std::int64_t size = 0;
    std::vector<std::uint32_t> writes;  // the count asked for by each write
    std::vector<unsigned char> head;    // the first 64 KiB written
    bool uniform = true;                // every byte equal to the first
    bool writeThrough = false;
    bool flushed = false;
    bool closed = false;
  };

  enum class TFull { Fail, Short };  // how a write that does not fit ends

  // Disk figures.
  bool clusterQueryOk = true;
  std::uint32_t clusterBytes = 4096;
  bool freeQueryOk = true;
  std::int64_t freeBytes = 0;
  bool spaceFollowsWrites = false;      // free bytes fall as files grow
  std::vector<std::string> rootsAsked;  // "" for the current directory

  // Faults.
  bool failCreate = false;
  int failWriteNumber = 0;   // the nth write call fails (1-based; 0 never)
  int shortWriteNumber = 0;  // the nth write call writes one byte less
  std::int64_t capacity = std::numeric_limits<std::int64_t>::max();
  TFull whenFull = TFull::Fail;
  bool failClose = false;
  std::set<std::string> existing;  // files that FileExists reports; never created over

  std::map<std::string, TFile> files;
  std::vector<std::string> calls;  // "create", "write", "flush", "close" in order

  bool ClusterBytes(const char* rootPath, std::uint32_t& bytesPerCluster) override;
  bool FreeBytesAvailable(const char* rootPath, std::int64_t& bytes) override;
  TFileHandle CreateNew(const std::string& path, bool writeThrough, bool& nameTaken) override;
  bool Write(TFileHandle file, const void* data, std::uint32_t count,
             std::uint32_t& written) override;
  void Flush(TFileHandle file) override;
  bool Close(TFileHandle file) override;
  bool FileExists(const std::string& path) override;

  std::int64_t used() const { return used_; }

 private:
  TFile& FileOf(TFileHandle file);

  std::vector<std::string> open_;  // handle - 1 -> path
  std::int64_t used_ = 0;
  int writeCalls_ = 0;
};

}  // namespace brimvale::test
