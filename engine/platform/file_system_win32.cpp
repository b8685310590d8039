#include <windows.h>

#include "engine/platform/UWin32FileSystem.h"

namespace brimvale {
namespace {

using TFreeSpaceQuery = decltype(TWin32FileSystem::TDriveQueries::freeSpace);

// Early Windows 95 lacks the Ex call, so it is looked up rather than
// imported, once, when the first file system is made (a file system that is
// a static object of another file may come first). Its ULARGE_INTEGERs are
// 64-bit integers.
TFreeSpaceQuery GetDiskFreeSpaceExQuery() {
  static const TFreeSpaceQuery query = [] {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel ? reinterpret_cast<TFreeSpaceQuery>(
                        reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")))
                  : nullptr;
  }();
  return query;
}

HANDLE AsHandle(TFileHandle file) { return reinterpret_cast<HANDLE>(file); }

// A drive without its medium (a card reader, a floppy drive) would otherwise
// answer with the system's "There is no disk in the drive" box, on every key
// typed into the folder field, rather than with a failure. The mode is the
// whole process's: it is given back after each query.
class TCriticalErrorsFail {
 public:
  TCriticalErrorsFail() : FSaved(SetErrorMode(SEM_FAILCRITICALERRORS)) {
    SetErrorMode(FSaved | SEM_FAILCRITICALERRORS);
  }
  TCriticalErrorsFail(const TCriticalErrorsFail&) = delete;
  TCriticalErrorsFail& operator=(const TCriticalErrorsFail&) = delete;
  ~TCriticalErrorsFail() { SetErrorMode(FSaved); }

 private:
  UINT FSaved;
};

}  // namespace

TWin32FileSystem::TWin32FileSystem(bool useFreeSpaceEx)
    : FQueries{GetDiskFreeSpaceA, useFreeSpaceEx ? GetDiskFreeSpaceExQuery() : nullptr} {}

// GetDiskFreeSpaceA's figures: bytes per cluster (32 bits, as the system
// multiplies them) and free clusters.
bool TWin32FileSystem::ClusterFigures(const char* rootPath, unsigned long& bytesPerCluster,
                                      unsigned long& freeClusters) {
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, totalClusters = 0;
  const TCriticalErrorsFail errorsFail;
  if (!FQueries.clusters(rootPath, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                         &totalClusters))
    return false;
  bytesPerCluster = sectorsPerCluster * bytesPerSector;
  return true;
}

bool TWin32FileSystem::ClusterBytes(const char* rootPath, std::uint32_t& bytesPerCluster) {
  DWORD bytes = 0, freeClusters = 0;
  if (!ClusterFigures(rootPath, bytes, freeClusters)) return false;
  bytesPerCluster = bytes;
  return true;
}

bool TWin32FileSystem::FreeBytesAvailable(const char* rootPath, std::int64_t& freeBytes) {
  if (FQueries.freeSpace) {
    unsigned long long available = 0, total = 0;
    const TCriticalErrorsFail errorsFail;
    if (!FQueries.freeSpace(rootPath, &available, &total, nullptr)) return false;
    freeBytes = static_cast<std::int64_t>(available);
    return true;
  }
  DWORD bytesPerCluster = 0, freeClusters = 0;
  if (!ClusterFigures(rootPath, bytesPerCluster, freeClusters)) return false;
  freeBytes = static_cast<std::int64_t>(bytesPerCluster) * freeClusters;
  return true;
}

TFileHandle TWin32FileSystem::CreateForWrite(const std::string& path, bool writeThrough) {
  const DWORD flags = FILE_ATTRIBUTE_NORMAL | (writeThrough ? FILE_FLAG_WRITE_THROUGH : 0);
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, flags, nullptr);
  return file == INVALID_HANDLE_VALUE ? kInvalidFileHandle : reinterpret_cast<TFileHandle>(file);
}

bool TWin32FileSystem::Write(TFileHandle file, const void* data, std::uint32_t count,
                             std::uint32_t& written) {
  DWORD done = 0;
  const BOOL ok = WriteFile(AsHandle(file), data, count, &done, nullptr);
  written = done;
  return ok != FALSE;
}

void TWin32FileSystem::Flush(TFileHandle file) { FlushFileBuffers(AsHandle(file)); }

bool TWin32FileSystem::Close(TFileHandle file) { return CloseHandle(AsHandle(file)) != FALSE; }

bool TWin32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TFileSystem& SystemFileSystem() {
  static TWin32FileSystem system;
  return system;
}

}  // namespace brimvale
