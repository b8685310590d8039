#pragma once

#include <string>
#include <string_view>

namespace brimvale {

// Windows only. The program's text is 8-bit, in the process's code page:
// UTF-8 where Windows lets the manifest ask for it (10, version 1903 on),
// else the user's ANSI page. The system's own text is wide; these convert.
// What the process's page cannot hold comes out as '?'.
std::wstring WideText(std::string_view text);
std::string ProcessText(std::wstring_view text);
// The same, false in `whole` where a character was replaced.
std::string ProcessText(std::wstring_view text, bool& whole);

// A path of the system's as the program's text. Where the process's page
// cannot hold one of its characters (a name from beyond the user's page on
// an older Windows), the path's short form stands in, where the file system
// keeps one; it names the same file.
std::string ProcessPath(const std::wstring& path);

}  // namespace brimvale
