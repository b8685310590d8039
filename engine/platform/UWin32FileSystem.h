#pragma once

#include "engine/platform/UFileSystem.h"

namespace brimvale {

// The kernel32 ANSI calls. GetDiskFreeSpaceExA is looked up by name when the
// program starts; where it is missing (or `useFreeSpaceEx` is false) the free
// bytes come from GetDiskFreeSpaceA's bytes per cluster times free clusters.
class TWin32FileSystem final : public TFileSystem {
 public:
  // The system calls that can meet a drive without its medium, in their own
  // shapes (BOOL, DWORD, ULARGE_INTEGER, HANDLE), or a test's stand-ins:
  // GetDiskFreeSpaceA, GetDiskFreeSpaceExA (none means the fallback),
  // GetFileAttributesA and CreateFileA.
  struct TSystemCalls {
    int(__stdcall* clusters)(const char* root, unsigned long* sectorsPerCluster,
                             unsigned long* bytesPerSector, unsigned long* freeClusters,
                             unsigned long* totalClusters);
    int(__stdcall* freeSpace)(const char* root, unsigned long long* available,
                              unsigned long long* total, unsigned long long* free);
    unsigned long(__stdcall* attributes)(const char* path);
    void*(__stdcall* createFile)(const char* path, unsigned long access, unsigned long share,
                                 void* security, unsigned long disposition, unsigned long flags,
                                 void* templateFile);
  };

  explicit TWin32FileSystem(bool useFreeSpaceEx = true);
  explicit TWin32FileSystem(const TSystemCalls& calls) : FCalls(calls) {}
  // The system's own calls, for a test to wrap.
  static TSystemCalls SystemCalls();

  bool ClusterBytes(const char* rootPath, std::uint32_t& bytesPerCluster) override;
  bool FreeBytesAvailable(const char* rootPath, std::int64_t& freeBytes) override;
  TFileHandle CreateNew(const std::string& path, bool writeThrough, bool& nameTaken) override;
  bool Write(TFileHandle file, const void* data, std::uint32_t count,
             std::uint32_t& written) override;
  void Flush(TFileHandle file) override;
  bool Close(TFileHandle file) override;
  bool FileExists(const std::string& path) override;

 private:
  bool ClusterFigures(const char* rootPath, unsigned long& bytesPerCluster,
                      unsigned long& freeClusters);

  TSystemCalls FCalls;
};

}  // namespace brimvale
