#include "tests/fakes/TFakeFileSystem.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace brimvale::test {

bool TFakeFileSystem::ClusterBytes(const char* rootPath, std::uint32_t& bytesPerCluster) {
  rootsAsked.push_back(rootPath ? rootPath : "");
  if (clusterQueryOk) bytesPerCluster = clusterBytes;
  return clusterQueryOk;
}

bool TFakeFileSystem::FreeBytesAvailable(const char* rootPath, std::int64_t& bytes) {
  rootsAsked.push_back(rootPath ? rootPath : "");
  if (freeQueryOk) bytes = spaceFollowsWrites ? freeBytes - used_ : freeBytes;
  return freeQueryOk;
}

TFileHandle TFakeFileSystem::CreateNew(const std::string& path, bool writeThrough,
                                       bool& nameTaken) {
  calls.push_back("create");
  nameTaken = existing.count(path) > 0 || files.count(path) > 0;
  if (failCreate || nameTaken) return kInvalidFileHandle;
  auto& file = files[path];
  file.writeThrough = writeThrough;
  open_.push_back(path);
  return static_cast<TFileHandle>(open_.size());
}

TFakeFileSystem::TFile& TFakeFileSystem::FileOf(TFileHandle file) {
  if (file < 1 || file > static_cast<TFileHandle>(open_.size()))
    throw std::logic_error("bad handle");
  TFile& entry = files.at(open_[file - 1]);
  if (entry.closed) throw std::logic_error("use after close");
  return entry;
}

bool TFakeFileSystem::Write(TFileHandle handle, const void* data, std::uint32_t count,
                            std::uint32_t& written) {
  calls.push_back("write");
  TFile& file = FileOf(handle);
  file.writes.push_back(count);
  ++writeCalls_;
  written = 0;
  if (writeCalls_ == failWriteNumber) return false;

  std::uint32_t fits = count;
  if (writeCalls_ == shortWriteNumber) fits = count - 1;
  if (used_ + fits > capacity) {
    if (whenFull == TFull::Fail) return false;
    fits = static_cast<std::uint32_t>(capacity - used_);
  }

  const auto* bytes = static_cast<const unsigned char*>(data);
  const std::size_t toHead = std::min<std::size_t>(fits, 65536 - file.head.size());
  file.head.insert(file.head.end(), bytes, bytes + toHead);
  if (fits > 0) {
    // memcmp keeps a 1 GiB file fast.
    const std::vector<unsigned char> same(fits, file.head[0]);
    if (std::memcmp(bytes, same.data(), fits) != 0) file.uniform = false;
  }
  file.size += fits;
  used_ += fits;
  written = fits;
  return true;
}

void TFakeFileSystem::Flush(TFileHandle file) {
  calls.push_back("flush");
  FileOf(file).flushed = true;
}

bool TFakeFileSystem::Close(TFileHandle file) {
  calls.push_back("close");
  FileOf(file).closed = true;
  return !failClose;
}

bool TFakeFileSystem::FileExists(const std::string& path) { return existing.count(path) > 0; }

}  // namespace brimvale::test
