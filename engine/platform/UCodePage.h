#pragma once

#include <bitset>

namespace brimvale {

// The bytes that lead a two-byte character of an 8-bit code page. In the
// double-byte pages of Japanese, Chinese and Korean Windows the byte after
// one may be 0x5C, the backslash's, so text is walked by characters, never
// byte by byte.
using TLeadBytes = std::bitset<256>;

// The lead bytes of `codePage` (932, 1252, ...) as the system defines them;
// none for a single-byte page or UTF-8 (65001), whose bytes after the first
// of a character are all 0x80 or above.
TLeadBytes LeadBytesOf(unsigned codePage);

// Those of the process's 8-bit code page, the one its text is in.
const TLeadBytes& ProcessLeadBytes();

}  // namespace brimvale
