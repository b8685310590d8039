#pragma once

#include <string>

namespace brimvale {

// What a path names, by its file attributes.
enum class TEntryKind { None, File, Directory };
TEntryKind EntryKind(const std::string& path);

inline bool DirectoryExists(const std::string& path) {
  return EntryKind(path) == TEntryKind::Directory;
}

// The path up to and including its last backslash or colon, so a folder
// with its backslash ("C:\Tools\" of "C:\Tools\a.exe"); empty when it has
// neither.
std::string FolderOf(const std::string& path);

}  // namespace brimvale
