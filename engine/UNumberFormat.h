#pragma once

#include <string>
#include <string_view>

namespace brimvale {

// The user's number formats, read from the locale at start-up and again on a
// settings change.
struct TFormatSettings {
  std::string ThousandSeparator = ",";
};

// The "%0.0n" format: the value rounded to a whole number (an exact half away
// from zero), no decimals, groups of three digits joined by the separator.
// A negative value that rounds to zero prints as 0.
std::string FormatNumberN(long double value, std::string_view thousandSeparator);

// Plain decimal with at least `minDigits` digits (leading zeros), as "%.4d".
std::string FormatPadded(long long value, int minDigits);

}  // namespace brimvale
