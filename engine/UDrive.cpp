#include "engine/UDrive.h"

#include <array>

namespace brimvale {
namespace {

// Source and target bytes, paired by position.
constexpr std::string_view kLower =
    "abcdefghijklmnopqrstuvwxyz"
    "\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF0\xF1"
    "\xF3\xF2"
    "\xF4\xF5\xF6\xF7\xF8\xF9"
    "\xDC\xA2\xDD\xB8\xDE\xB9\xDF\xFA\xBA\xFC\xBC\xFD\xFB\xBE\xFE\xBF";
constexpr std::string_view kUpper =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    "\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1"
    "\xD3\xD3"
    "\xD4\xD5\xD6\xD7\xD8\xD9"
    "\xC1\xC1\xC5\xC5\xC7\xC7\xC9\xC9\xC9\xCF\xCF\xD5\xD5\xD5\xD9\xD9";
static_assert(kLower.size() == 67 && kUpper.size() == 67);

constexpr std::array<char, 256> MakeCapitals() {
  std::array<char, 256> capitals{};
  for (int i = 0; i < 256; ++i) capitals[i] = static_cast<char>(i);
  for (std::size_t i = 0; i < kLower.size(); ++i)
    capitals[static_cast<unsigned char>(kLower[i])] = kUpper[i];
  return capitals;
}
constexpr std::array<char, 256> kCapitals = MakeCapitals();

// The character before 'A': drive 1 is A, 26 is Z.
constexpr unsigned char kBeforeA = '@';

}  // namespace

std::string GreekUpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = kCapitals[static_cast<unsigned char>(c)];
  return result;
}

TDriveNumber DriveNumberOf(char capital) {
  return static_cast<TDriveNumber>(static_cast<unsigned char>(capital) - kBeforeA);
}

std::string RootPathOf(TDriveNumber drive) {
  if (drive == 0) return {};
  return {static_cast<char>((drive + kBeforeA) % 256), ':', '\\'};
}

std::int32_t GetClusterSize(TDriveNumber drive, TFileSystem& fs) {
  const std::string root = RootPathOf(drive);
  std::uint32_t bytesPerCluster = 0;
  if (!fs.ClusterBytes(drive == 0 ? nullptr : root.c_str(), bytesPerCluster)) return 1;
  return static_cast<std::int32_t>(bytesPerCluster);
}

std::int64_t GetFreeBytes(TDriveNumber drive, TFileSystem& fs) {
  const std::string root = RootPathOf(drive);
  std::int64_t freeBytes = 0;
  if (!fs.FreeBytesAvailable(drive == 0 ? nullptr : root.c_str(), freeBytes)) return -1;
  return freeBytes;
}

}  // namespace brimvale
