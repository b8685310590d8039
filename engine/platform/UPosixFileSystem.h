#pragma once

#include <map>
#include <string>

#include "engine/platform/UFileSystem.h"

namespace brimvale {

// POSIX services for the native build. Drive letters mean nothing here, so
// each letter maps to a directory through a table; an unmapped letter fails
// like a missing drive. Paths that begin with a mapped "X:" are translated,
// backslashes becoming slashes; other paths are used as they are.
class TPosixFileSystem final : public TFileSystem {
 public:
  void MapDrive(char letter, std::string directory);
  void UnmapDrives();

  bool ClusterBytes(const char* rootPath, std::uint32_t& bytesPerCluster) override;
  bool FreeBytesAvailable(const char* rootPath, std::int64_t& freeBytes) override;
  TFileHandle CreateNew(const std::string& path, bool writeThrough, bool& nameTaken) override;
  bool Write(TFileHandle file, const void* data, std::uint32_t count,
             std::uint32_t& written) override;
  void Flush(TFileHandle file) override;
  bool Close(TFileHandle file) override;
  bool FileExists(const std::string& path) override;

  // The directory a root path names, or an empty string for no drive.
  std::string DirectoryOfRoot(const char* rootPath) const;
  std::string NativePath(const std::string& path) const;

 private:
  std::map<char, std::string> FDrives;  // upper-case letter -> directory
};

}  // namespace brimvale
