#include <clocale>
#include <string>

#include "engine/platform/ULocale.h"

namespace brimvale {

TFormatSettings ReadFormatSettings() {
  TFormatSettings settings;
  // The "C" locale has no separator at all; keep the comma then, as Windows'
  // neutral locale does.
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  std::setlocale(LC_NUMERIC, "");
  const std::lconv* conventions = std::localeconv();
  if (conventions && conventions->thousands_sep && *conventions->thousands_sep)
    settings.ThousandSeparator = conventions->thousands_sep;
  std::setlocale(LC_NUMERIC, previous.c_str());
  return settings;
}

}  // namespace brimvale
