#include "tests/support/UWin32TestTools.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "engine/platform/UWin32Text.h"

namespace brimvale::test {
namespace {

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

template <class TVisit>
void ForEachEntry(const std::string& folder, TVisit visit) {
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA(Join(folder, "*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..")
      visit(name, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
}

}  // namespace

void EmptyFolder(const std::string& folder) {
  ForEachEntry(folder, [&](const std::string& name, bool isFolder) {
    const std::string path = Join(folder, name);
    if (isFolder) {
      EmptyFolder(path);
      RemoveDirectoryA(path.c_str());
    } else {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
  });
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  ForEachEntry(folder, [&](const std::string& name, bool isFolder) {
    if (!isFolder) names.push_back(name);
  });
  std::sort(names.begin(), names.end());
  return names;
}

std::string Contents(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string content;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    content.append(buffer, got);
  CloseHandle(file);
  return content;
}

bool AllZero(const std::string& path, long long& size) {
  const std::string content = Contents(path);
  size = content == "<missing>" ? -1 : static_cast<long long>(content.size());
  return size >= 0 && std::all_of(content.begin(), content.end(), [](char c) { return c == 0; });
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

bool WriteFileOfSize(const std::string& path, long long size) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string block(65536, 'x');
  bool ok = true;
  while (size > 0 && ok) {
    const DWORD count = static_cast<DWORD>(std::min<long long>(size, 65536));
    DWORD written = 0;
    ok = WriteFile(file, block.data(), count, &written, nullptr) && written == count;
    size -= count;
  }
  return CloseHandle(file) && ok;
}

HDROP MakeDrop(const std::vector<std::string>& paths) {
  std::wstring list;
  for (const std::string& path : paths) list += WideText(path) + L'\0';
  list += L'\0';
  const std::size_t bytes = list.size() * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), bytes);
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

}  // namespace brimvale::test
