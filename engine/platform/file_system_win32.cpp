#include <windows.h>

#include "engine/platform/UWin32FileSystem.h"

namespace brimvale {
namespace {

using TFreeSpaceQuery = decltype(TWin32FileSystem::TSystemCalls::freeSpace);

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

void* __stdcall CreateFileCall(const char* path, unsigned long access, unsigned long share,
                               void* security, unsigned long disposition, unsigned long flags,
                               void* templateFile) {
  return CreateFileA(path, access, share, static_cast<LPSECURITY_ATTRIBUTES>(security), disposition,
                     flags, templateFile);
}

HANDLE AsHandle(TFileHandle file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

TWin32FileSystem::TSystemCalls TWin32FileSystem::SystemCalls() {
  return {GetDiskFreeSpaceA, GetDiskFreeSpaceExQuery(), GetFileAttributesA, CreateFileCall};
}

TWin32FileSystem::TWin32FileSystem(bool useFreeSpaceEx) : FCalls(SystemCalls()) {
  if (!useFreeSpaceEx) FCalls.freeSpace = nullptr;
}

// GetDiskFreeSpaceA's figures: bytes per cluster (32 bits, as the system
// multiplies them) and free clusters.
bool TWin32FileSystem::ClusterFigures(const char* rootPath, unsigned long& bytesPerCluster,
                                      unsigned long& freeClusters) {
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, totalClusters = 0;
  if (!FCalls.clusters(rootPath, &sectorsPerCluster, &bytesPerSector, &freeClusters,
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
  if (FCalls.freeSpace) {
    unsigned long long available = 0, total = 0;
    if (!FCalls.freeSpace(rootPath, &available, &total, nullptr)) return false;
    freeBytes = static_cast<std::int64_t>(available);
    return true;
  }
  DWORD bytesPerCluster = 0, freeClusters = 0;
  if (!ClusterFigures(rootPath, bytesPerCluster, freeClusters)) return false;
  freeBytes = static_cast<std::int64_t>(bytesPerCluster) * freeClusters;
  return true;
}

TFileHandle TWin32FileSystem::CreateNew(const std::string& path, bool writeThrough,
                                        bool& nameTaken) {
  nameTaken = false;
  const DWORD flags = FILE_ATTRIBUTE_NORMAL | (writeThrough ? FILE_FLAG_WRITE_THROUGH : 0);
  const HANDLE file = FCalls.createFile(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_NEW, flags, nullptr);
  if (file != INVALID_HANDLE_VALUE) return reinterpret_cast<TFileHandle>(file);
  // A folder of the name is no taken name: creating over it fails as any
  // other failure does.
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
    const DWORD attributes = FCalls.attributes(path.c_str());
    nameTaken = attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  return kInvalidFileHandle;
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
  const DWORD attributes = FCalls.attributes(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TFileSystem& SystemFileSystem() {
  static TWin32FileSystem system;
  return system;
}

}  // namespace brimvale
