#include <gtest/gtest.h>

#include "engine/UDrive.h"
#include "tests/fakes/TFakeFileSystem.h"

namespace brimvale {
namespace {

TEST(GreekUpperCase, MapsEverySourceByteToItsCapital) {
  struct TPair {
    unsigned char from, to;
  };
  std::vector<TPair> pairs;
  for (int c = 'a'; c <= 'z'; ++c)
    pairs.push_back({static_cast<unsigned char>(c), static_cast<unsigned char>(c - 32)});
  for (int c = 0xE1; c <= 0xF1; ++c)
    pairs.push_back({static_cast<unsigned char>(c), static_cast<unsigned char>(c - 0x20)});
  for (int c = 0xF4; c <= 0xF9; ++c)
    pairs.push_back({static_cast<unsigned char>(c), static_cast<unsigned char>(c - 0x20)});
  const std::vector<TPair> accented = {
      {0xF3, 0xD3}, {0xF2, 0xD3}, {0xDC, 0xC1}, {0xA2, 0xC1}, {0xDD, 0xC5}, {0xB8, 0xC5},
      {0xDE, 0xC7}, {0xB9, 0xC7}, {0xDF, 0xC9}, {0xFA, 0xC9}, {0xBA, 0xC9}, {0xFC, 0xCF},
      {0xBC, 0xCF}, {0xFD, 0xD5}, {0xFB, 0xD5}, {0xBE, 0xD5}, {0xFE, 0xD9}, {0xBF, 0xD9}};
  pairs.insert(pairs.end(), accented.begin(), accented.end());
  ASSERT_EQ(pairs.size(), 67u);

  std::vector<bool> mapped(256, false);
  for (const TPair& pair : pairs) {
    const std::string from(1, static_cast<char>(pair.from));
    EXPECT_EQ(GreekUpperCase(from), std::string(1, static_cast<char>(pair.to)))
        << "byte 0x" << std::hex << int(pair.from);
    mapped[pair.from] = true;
  }
  for (int c = 0; c < 256; ++c) {
    if (mapped[c]) continue;
    const std::string same(1, static_cast<char>(c));
    EXPECT_EQ(GreekUpperCase(same), same) << "byte 0x" << std::hex << c;
  }
}

TEST(GreekUpperCase, KeepsLengthAndLeavesTheInputAlone) {
  const std::string text = std::string("c:\\\xC0\xE0\xDA\xDB") + '\0' + "\xE1z";
  const std::string copy = text;
  EXPECT_EQ(GreekUpperCase(text), std::string("C:\\\xC0\xE0\xDA\xDB") + '\0' + "\xC1Z");
  EXPECT_EQ(text, copy);
  EXPECT_EQ(GreekUpperCase(""), "");
  EXPECT_EQ(GreekUpperCase(std::string(300, 'q')), std::string(300, 'Q'));
}

TEST(DriveNumber, FollowsTheFirstCharacterCode) {
  struct TCase {
    std::string text;
    TDriveNumber drive;
    std::string root;
  };
  const TCase cases[] = {
      {"c:\\work", 3, "C:\\"},
      {"C:\\work", 3, "C:\\"},
      {"@", 0, ""},
      {"1", 241, "1:\\"},
      {"\\\\server\\share", 28, "\\:\\"},
      {"\xE1", 0x81, "\xC1:\\"},  // alpha, capitalised to Alpha
      {"work", 23, "W:\\"},
  };
  for (const TCase& c : cases) {
    const TDriveNumber drive = DriveNumberOf(GreekUpperCase(c.text.substr(0, 1))[0]);
    EXPECT_EQ(drive, c.drive) << c.text;
    EXPECT_EQ(RootPathOf(drive), c.root) << c.text;
  }
}

TEST(DriveQueries, AskForTheRootAndGiveFixedValuesOnFailure) {
  test::TFakeFileSystem fs;
  fs.clusterBytes = 512;
  fs.freeBytes = 123456789012;
  EXPECT_EQ(GetClusterSize(3, fs), 512);
  EXPECT_EQ(GetFreeBytes(3, fs), 123456789012);
  EXPECT_EQ(GetClusterSize(0, fs), 512);
  EXPECT_EQ(fs.rootsAsked, (std::vector<std::string>{"C:\\", "C:\\", ""}));

  fs.clusterQueryOk = false;
  fs.freeQueryOk = false;
  EXPECT_EQ(GetClusterSize(3, fs), 1);
  EXPECT_EQ(GetFreeBytes(3, fs), -1);

  // The product of sectors and bytes is 32 bits wide, as the system gives it.
  fs.clusterQueryOk = true;
  fs.clusterBytes = 0x80000000u;
  EXPECT_EQ(GetClusterSize(3, fs), INT32_MIN);
}

}  // namespace
}  // namespace brimvale
