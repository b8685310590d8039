#pragma once

#include <cstdint>
#include <string>

namespace brimvale {

// "mm:ss", "Hh mm:ss" from an hour on, "Dd Hh mm:ss" from a day on; the
// milliseconds are dropped, never rounded.
std::string FormatDuration(std::uint32_t milliseconds);

}  // namespace brimvale
