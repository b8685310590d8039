#pragma once

#include <cstdint>
#include <string>

namespace brimvale {

// An open file of the platform: a Win32 HANDLE or a POSIX descriptor.
using TFileHandle = std::intptr_t;
inline constexpr TFileHandle kInvalidFileHandle = -1;

// The disk and file services the engine needs, behind one interface so that
// tests can provoke faults (a failed create, a short write, a full disk).
// Root paths are "X:\"; nullptr names the current directory's drive.
class TFileSystem {
 public:
  virtual ~TFileSystem() = default;

  // Bytes per cluster (sectors per cluster times bytes per sector, 32 bits).
  virtual bool ClusterBytes(const char* rootPath, std::uint32_t& bytesPerCluster) = 0;
  // Free bytes that the calling user may use.
  virtual bool FreeBytesAvailable(const char* rootPath, std::int64_t& freeBytes) = 0;

  // Creates `path` as a new file, for writing only; others may read it
  // meanwhile. An entry already there is never opened, so never truncated,
  // nor is the target of a link of that name. Returns kInvalidFileHandle on
  // failure, with `nameTaken` set when an entry other than a folder holds
  // the name.
  virtual TFileHandle CreateNew(const std::string& path, bool writeThrough, bool& nameTaken) = 0;
  // One synchronous write; `written` says how much of it reached the file.
  virtual bool Write(TFileHandle file, const void* data, std::uint32_t count,
                     std::uint32_t& written) = 0;
  virtual void Flush(TFileHandle file) = 0;
  virtual bool Close(TFileHandle file) = 0;

  // True when `path` names an existing entry that is not a directory.
  virtual bool FileExists(const std::string& path) = 0;
};

// The real services of the platform the program was built for.
TFileSystem& SystemFileSystem();

// Closes a file on every path; Close() reports the result where it matters.
class TFileOwner {
 public:
  TFileOwner(TFileSystem& fs, TFileHandle file) : FFileSystem(fs), FFile(file) {}
  TFileOwner(const TFileOwner&) = delete;
  TFileOwner& operator=(const TFileOwner&) = delete;
  ~TFileOwner() { Close(); }

  explicit operator bool() const { return FFile != kInvalidFileHandle; }
  TFileHandle Get() const { return FFile; }

  bool Close() {
    if (FFile == kInvalidFileHandle) return false;
    const TFileHandle file = FFile;
    FFile = kInvalidFileHandle;
    return FFileSystem.Close(file);
  }

 private:
  TFileSystem& FFileSystem;  // not owned
  TFileHandle FFile;
};

}  // namespace brimvale
