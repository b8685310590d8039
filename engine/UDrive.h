#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/platform/UFileSystem.h"

namespace brimvale {

// 0 is the current directory's drive; n names the root (n + 64) mod 256 ":\",
// so 1 to 26 are A to Z.
using TDriveNumber = std::uint8_t;

// Capitals of a-z and of the Greek letters (Windows-1253 byte values); every
// other byte is copied unchanged.
std::string GreekUpperCase(std::string_view text);

// The drive that a (capitalised) first character of a folder text names.
TDriveNumber DriveNumberOf(char capital);

// "X:\" for drive n, or an empty string for drive 0.
std::string RootPathOf(TDriveNumber drive);

// Bytes per cluster, or 1 when the system cannot tell.
std::int32_t GetClusterSize(TDriveNumber drive, TFileSystem& fs);

// Bytes free for the calling user, or -1 when the system cannot tell.
std::int64_t GetFreeBytes(TDriveNumber drive, TFileSystem& fs);

}  // namespace brimvale
