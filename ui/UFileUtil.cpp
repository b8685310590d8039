#include "ui/UFileUtil.h"

#include <windows.h>

namespace brimvale {

TEntryKind EntryKind(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return TEntryKind::None;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? TEntryKind::Directory : TEntryKind::File;
}

std::string FolderOf(const std::string& path) {
  // npos + 1 is 0: no separator, no folder.
  return path.substr(0, path.find_last_of("\\:") + 1);
}

}  // namespace brimvale
