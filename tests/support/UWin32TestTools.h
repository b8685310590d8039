#pragma once

#include <windows.h>

#include <shellapi.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace brimvale::test {

// Deletes every file and folder below a drive root (tests own their drives).
void EmptyFolder(const std::string& folder);

// The names of the files (not folders) directly in a folder, sorted.
std::vector<std::string> FilesIn(const std::string& folder);

// The file's bytes, read back through the system; "<missing>" if it cannot.
std::string Contents(const std::string& path);

// True when every byte of the file is 0; `size` receives its length.
bool AllZero(const std::string& path, long long& size);

// Handles this thread's messages until `done` holds or the time is up.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(20));

// A drop of `paths`, as the shell makes one: wide text.
HDROP MakeDrop(const std::vector<std::string>& paths);

// Writes `size` bytes into a new file (to take space on a test drive).
bool WriteFileOfSize(const std::string& path, long long size);

}  // namespace brimvale::test
