#pragma once

#include <string>
#include <string_view>

#include "engine/platform/UCodePage.h"

namespace brimvale {

// Paths as 8-bit text of a code page, read by characters: a backslash is
// one only where a character starts.

// True when the last character of `path` is a backslash.
bool EndsWithBackslash(std::string_view path, const TLeadBytes& leadBytes = ProcessLeadBytes());

// `path` up to and including its last backslash or colon: the folder with
// its backslash ("C:\Tools\" of "C:\Tools\a.exe"); empty when it has neither.
std::string FolderOf(std::string_view path, const TLeadBytes& leadBytes = ProcessLeadBytes());

}  // namespace brimvale
