#include "ui/UFileUtil.h"

#include <windows.h>

namespace brimvale {

TEntryKind EntryKind(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return TEntryKind::None;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? TEntryKind::Directory : TEntryKind::File;
}

}  // namespace brimvale
