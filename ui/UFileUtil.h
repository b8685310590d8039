#pragma once

#include <string>

namespace brimvale {

// What a path names, by its file attributes.
enum class TEntryKind { None, File, Directory };
TEntryKind EntryKind(const std::string& path);

inline bool DirectoryExists(const std::string& path) {
  return EntryKind(path) == TEntryKind::Directory;
}

}  // namespace brimvale
