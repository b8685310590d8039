#include "engine/UDuration.h"

#include <cstdio>

namespace brimvale {

std::string FormatDuration(std::uint32_t milliseconds) {
  const std::uint32_t s = milliseconds / 1000;
  const unsigned seconds = s % 60, minutes = (s / 60) % 60, hours = (s / 3600) % 24;
  const unsigned days = s / 86400;
  char text[32];
  if (days > 0)
    std::snprintf(text, sizeof text, "%ud %uh %.2u:%.2u", days, hours, minutes, seconds);
  else if (hours > 0)
    std::snprintf(text, sizeof text, "%uh %.2u:%.2u", hours, minutes, seconds);
  else
    std::snprintf(text, sizeof text, "%.2u:%.2u", minutes, seconds);
  return text;
}

}  // namespace brimvale
