#include "ui/UFileUtil.h"

#include <windows.h>

#include <vector>

#include "engine/platform/UWin32Text.h"

namespace brimvale {

TEntryKind EntryKind(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return TEntryKind::None;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? TEntryKind::Directory : TEntryKind::File;
}

std::string ProgramPath() {
  // Windows XP fills a buffer that is too small to its end, with no
  // terminator and no error: the buffer grows until the path leaves room.
  std::vector<wchar_t> path(MAX_PATH + 1);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return ProcessPath(std::wstring(path.data(), length));
    if (path.size() > 32768) return {};
    path.resize(path.size() * 2);
  }
}

}  // namespace brimvale
