#pragma once

#include <cstdint>

// Drive letters that tests/wine/setup.sh mounts as tmpfs drives of exact
// sizes in the test prefix. Keep both lists in step.
namespace brimvale::test {

inline constexpr char kProbeDrive[] = "M:\\";    // 8 MiB, always empty, only probed
inline constexpr char kWriteDrive[] = "N:\\";    // 8 MiB, emptied by each test that writes
inline constexpr char kRunDrive[] = "K:\\";      // exactly 1,000 free 4096-byte clusters
inline constexpr char kExeDrive[] = "L:\\";      // 8 MiB, the program started from its root
inline constexpr char kMissingDrive[] = "Q:\\";  // never mapped

struct TTestDrive {
  const char* Root;
  std::uint64_t Bytes;  // the file system's whole size
};
inline constexpr TTestDrive kTestDrives[] = {
    {kProbeDrive, 8 << 20}, {kWriteDrive, 8 << 20}, {kRunDrive, 4000 << 10}, {kExeDrive, 8 << 20}};

}  // namespace brimvale::test
