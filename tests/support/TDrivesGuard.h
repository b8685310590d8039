#pragma once

#include <gtest/gtest.h>

#include <string>

namespace brimvale::test {

// What is wrong with a test drive: "" when `root` is a tmpfs of exactly
// `bytes` bytes, as tests/wine/setup.sh mounts it, else a plain sentence.
std::string TestDriveProblem(const char* root, unsigned long long bytes);

// Ends the test program before its first test, with a message, unless every
// drive of TestDrives.h is the small file system the set-up mounted: a test
// program started by hand, without ctest's set-up, would write its fill
// files into the unmounted folders, that is onto this machine's own disk.
class TDrivesGuard : public ::testing::Environment {
 public:
  void SetUp() override;
};

}  // namespace brimvale::test
