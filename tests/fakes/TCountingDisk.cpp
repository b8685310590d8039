#include "tests/fakes/TCountingDisk.h"

#include <stdexcept>

namespace brimvale::test {

bool TCountingDisk::ClusterBytes(const char*, std::uint32_t& bytesPerCluster) {
  if (clusterQueryOk) bytesPerCluster = clusterBytes;
  return clusterQueryOk;
}

bool TCountingDisk::FreeBytesAvailable(const char*, std::int64_t& bytes) {
  ++freeQueries;
  if (freeQueryOk) bytes = spaceFollowsWrites ? freeBytes - written : freeBytes;
  return freeQueryOk;
}

TFileHandle TCountingDisk::CreateNew(const std::string& path, bool writeThrough, bool& nameTaken) {
  nameTaken = existing.count(path) > 0 || appearing.count(path) > 0;
  if (failCreate || nameTaken || folders.count(path)) return kInvalidFileHandle;
  files.push_back(TFile{path, 0, writeThrough, false});
  return static_cast<TFileHandle>(files.size());
}

bool TCountingDisk::Write(TFileHandle file, const void*, std::uint32_t count, std::uint32_t& done) {
  TFile& entry = files.at(static_cast<std::size_t>(file - 1));
  if (entry.closed) throw std::logic_error("write after close");
  done = 0;
  if (++writeCalls_ == failWriteNumber) return false;
  if (spaceFollowsWrites && written + count > freeBytes) return false;  // refused whole
  entry.size += count;
  written += count;
  done = count;
  return true;
}

bool TCountingDisk::Close(TFileHandle file) {
  files.at(static_cast<std::size_t>(file - 1)).closed = true;
  return true;
}

}  // namespace brimvale::test
