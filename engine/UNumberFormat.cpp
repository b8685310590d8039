#include "engine/UNumberFormat.h"

#include <cmath>
#include <cstdio>

namespace brimvale {
namespace {

// Below this (just under 2^64) a whole number is printed exactly, as an
// integer; above it as the nearest double.
constexpr long double kExactBelow = 1.8e19L;

}  // namespace

std::string FormatNumberN(long double value, std::string_view thousandSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

  const long double rounded = std::round(value);  // halves away from zero
  const long double magnitude = std::fabs(rounded);
  char digits[64];
  if (magnitude < kExactBelow) {
    std::snprintf(digits, sizeof digits, "%llu", static_cast<unsigned long long>(magnitude));
  } else {
    std::snprintf(digits, sizeof digits, "%.0f", static_cast<double>(magnitude));
  }

  const std::string_view body(digits);
  std::string text;
  if (rounded < 0) text += '-';  // -0.4 rounds to -0, which compares equal to 0
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (i > 0 && (body.size() - i) % 3 == 0) text += thousandSeparator;
    text += body[i];
  }
  return text;
}

std::string FormatPadded(long long value, int minDigits) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*lld", minDigits, value);
  return text;
}

}  // namespace brimvale
