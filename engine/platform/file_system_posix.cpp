#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>

#include "engine/platform/UPosixFileSystem.h"

namespace brimvale {
namespace {

int AsDescriptor(TFileHandle file) { return static_cast<int>(file); }

bool StatRoot(const std::string& directory, struct statvfs& info) {
  return !directory.empty() && statvfs(directory.c_str(), &info) == 0;
}

std::uint64_t FragmentSize(const struct statvfs& info) {
  return info.f_frsize ? info.f_frsize : info.f_bsize;
}

}  // namespace

void TPosixFileSystem::MapDrive(char letter, std::string directory) {
  FDrives[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))] =
      std::move(directory);
}

void TPosixFileSystem::UnmapDrives() { FDrives.clear(); }

std::string TPosixFileSystem::DirectoryOfRoot(const char* rootPath) const {
  if (!rootPath) return ".";
  const std::string root(rootPath);
  if (root.size() != 3 || root[1] != ':' || root[2] != '\\') return {};
  const auto drive = FDrives.find(root[0]);
  return drive == FDrives.end() ? std::string() : drive->second;
}

std::string TPosixFileSystem::NativePath(const std::string& path) const {
  if (path.size() < 2 || path[1] != ':') return path;
  const auto drive =
      FDrives.find(static_cast<char>(std::toupper(static_cast<unsigned char>(path[0]))));
  if (drive == FDrives.end()) return path;
  std::string native = drive->second;
  for (std::size_t i = 2; i < path.size(); ++i) native += path[i] == '\\' ? '/' : path[i];
  return native;
}

bool TPosixFileSystem::ClusterBytes(const char* rootPath, std::uint32_t& bytesPerCluster) {
  struct statvfs info {};
  if (!StatRoot(DirectoryOfRoot(rootPath), info)) return false;
  bytesPerCluster = static_cast<std::uint32_t>(FragmentSize(info));
  return true;
}

bool TPosixFileSystem::FreeBytesAvailable(const char* rootPath, std::int64_t& freeBytes) {
  struct statvfs info {};
  if (!StatRoot(DirectoryOfRoot(rootPath), info)) return false;
  freeBytes = static_cast<std::int64_t>(info.f_bavail * FragmentSize(info));
  return true;
}

TFileHandle TPosixFileSystem::CreateNew(const std::string& path, bool writeThrough,
                                        bool& nameTaken) {
  nameTaken = false;
  // O_EXCL also refuses a link of the name, dangling or not.
  const std::string native = NativePath(path);
  const int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | (writeThrough ? O_DSYNC : 0);
  const int fd = open(native.c_str(), flags, 0666);
  if (fd >= 0) return fd;
  struct stat info {};
  nameTaken = errno == EEXIST && !(lstat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
  return kInvalidFileHandle;
}

bool TPosixFileSystem::Write(TFileHandle file, const void* data, std::uint32_t count,
                             std::uint32_t& written) {
  ssize_t done;
  do {
    done = write(AsDescriptor(file), data, count);
  } while (done < 0 && errno == EINTR);
  written = done < 0 ? 0 : static_cast<std::uint32_t>(done);
  return done >= 0;
}

void TPosixFileSystem::Flush(TFileHandle file) { fsync(AsDescriptor(file)); }

bool TPosixFileSystem::Close(TFileHandle file) { return close(AsDescriptor(file)) == 0; }

bool TPosixFileSystem::FileExists(const std::string& path) {
  struct stat info {};
  return stat(NativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

TFileSystem& SystemFileSystem() {
  static TPosixFileSystem system;
  return system;
}

}  // namespace brimvale
