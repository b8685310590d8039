#pragma once

#include "engine/platform/UFileSystem.h"

namespace brimvale {

// The kernel32 ANSI calls. GetDiskFreeSpaceExA is looked up by name when the
// program starts; where it is missing (or `useFreeSpaceEx` is false) the free
// bytes come from GetDiskFreeSpaceA's bytes per cluster times free clusters.
class TWin32FileSystem final : public TFileSystem {
 public:
  // GetDiskFreeSpaceA and GetDiskFreeSpaceExA in their own shapes (BOOL,
  // DWORD, ULARGE_INTEGER), or a test's stand-ins; no free-space call means
  // the fallback.
  struct TDriveQueries {
    int(__stdcall* clusters)(const char* root, unsigned long* sectorsPerCluster,
                             unsigned long* bytesPerSector, unsigned long* freeClusters,
                             unsigned long* totalClusters);
    int(__stdcall* freeSpace)(const char* root, unsigned long long* available,
                              unsigned long long* total, unsigned long long* free);
  };

  explicit TWin32FileSystem(bool useFreeSpaceEx = true);
  explicit TWin32FileSystem(const TDriveQueries& queries) : FQueries(queries) {}

  bool ClusterBytes(const char* rootPath, std::uint32_t& bytesPerCluster) override;
  bool FreeBytesAvailable(const char* rootPath, std::int64_t& freeBytes) override;
  TFileHandle CreateForWrite(const std::string& path, bool writeThrough) override;
  bool Write(TFileHandle file, const void* data, std::uint32_t count,
             std::uint32_t& written) override;
  void Flush(TFileHandle file) override;
  bool Close(TFileHandle file) override;
  bool FileExists(const std::string& path) override;

 private:
  bool ClusterFigures(const char* rootPath, unsigned long& bytesPerCluster,
                      unsigned long& freeClusters);

  TDriveQueries FQueries;
};

}  // namespace brimvale
