#pragma once

#include "engine/platform/UFileSystem.h"

namespace brimvale {

// The kernel32 ANSI calls. GetDiskFreeSpaceExA is looked up by name when the
// program starts; where it is missing (or `useFreeSpaceEx` is false) the free
// bytes come from GetDiskFreeSpaceA's bytes per cluster times free clusters.
class TWin32FileSystem final : public TFileSystem {
 public:
  explicit TWin32FileSystem(bool useFreeSpaceEx = true) : FUseFreeSpaceEx(useFreeSpaceEx) {}

  bool ClusterBytes(const char* rootPath, std::uint32_t& bytesPerCluster) override;
  bool FreeBytesAvailable(const char* rootPath, std::int64_t& freeBytes) override;
  TFileHandle CreateForWrite(const std::string& path, bool writeThrough) override;
  bool Write(TFileHandle file, const void* data, std::uint32_t count,
             std::uint32_t& written) override;
  void Flush(TFileHandle file) override;
  bool Close(TFileHandle file) override;
  bool FileExists(const std::string& path) override;

 private:
  bool FUseFreeSpaceEx;
};

}  // namespace brimvale
