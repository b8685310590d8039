#include "engine/platform/UWin32Text.h"

#include <windows.h>

#include <vector>

namespace brimvale {

std::string ProcessText(std::wstring_view text, bool& whole) {
  whole = true;
  if (text.empty()) return {};
  // UTF-8 holds everything, and takes no default character.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL replaced = FALSE;
  BOOL* const noted = utf8 ? nullptr : &replaced;
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, noted);
  std::string converted(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), length, converted.data(), size, nullptr, noted);
  whole = !replaced;
  return converted;
}

std::wstring WideText(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), size);
  return wide;
}

std::string ProcessText(std::wstring_view text) {
  bool whole = true;
  return ProcessText(text, whole);
}

std::string ProcessPath(const std::wstring& path) {
  bool whole = true;
  std::string converted = ProcessText(path, whole);
  if (whole) return converted;
  const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return converted;
  std::vector<wchar_t> shortPath(size);
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
  if (length == 0 || length >= size) return converted;
  std::string shortened = ProcessText({shortPath.data(), length}, whole);
  return whole ? shortened : converted;
}

}  // namespace brimvale
