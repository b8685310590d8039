#include <gtest/gtest.h>

#include "engine/UNumberFormat.h"

namespace brimvale {
namespace {

TEST(FormatNumberN, RoundsHalvesAwayFromZeroAndGroupsByThree) {
  struct TCase {
    long double value;
    const char* text;
  };
  const TCase cases[] = {
      {0, "0"},
      {0.5L, "1"},
      {1.5L, "2"},
      {2.5L, "3"},
      {2.4999L, "2"},
      {-0.5L, "-1"},
      {-2.5L, "-3"},
      {-0.4L, "0"},
      {-0.0009765625L, "0"},  // -1 byte in KiB
      {-1, "-1"},
      {999, "999"},
      {1000, "1,000"},
      {999999.5L, "1,000,000"},
      {-1234567, "-1,234,567"},
      {10485760, "10,485,760"},
      {1073741824, "1,073,741,824"},
      {9223372036854775807.0L, "9,223,372,036,854,775,807"},
  };
  for (const TCase& c : cases) EXPECT_EQ(FormatNumberN(c.value, ","), c.text) << double(c.value);
}

TEST(FormatNumberN, UsesTheLocaleSeparatorAsGiven) {
  EXPECT_EQ(FormatNumberN(1234567, "."), "1.234.567");
  EXPECT_EQ(FormatNumberN(1234567, "\xA0"),
            "1\xA0"
            "234\xA0"
            "567");
  EXPECT_EQ(FormatNumberN(1234567, ""), "1234567");
  EXPECT_EQ(FormatNumberN(123, "."), "123");
}

TEST(FormatPadded, PadsToFourDigitsAndGrowsBeyond) {
  EXPECT_EQ(FormatPadded(0, 4), "0000");
  EXPECT_EQ(FormatPadded(12, 4), "0012");
  EXPECT_EQ(FormatPadded(12345, 4), "12345");
}

}  // namespace
}  // namespace brimvale
