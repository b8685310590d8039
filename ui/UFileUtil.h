#pragma once

#include <string>

namespace brimvale {

// What a path names, by its file attributes.
enum class TEntryKind { None, File, Directory };
TEntryKind EntryKind(const std::string& path);

inline bool DirectoryExists(const std::string& path) {
  return EntryKind(path) == TEntryKind::Directory;
}

// The full path of the program's own file, whole however long it is; empty
// when the system cannot tell.
std::string ProgramPath();

}  // namespace brimvale
