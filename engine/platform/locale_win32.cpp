#include <windows.h>

#include "engine/platform/ULocale.h"

namespace brimvale {

TFormatSettings ReadFormatSettings() {
  TFormatSettings settings;
  char separator[8] = {};  // the locale allows up to three characters
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator) > 0)
    settings.ThousandSeparator = separator;
  return settings;
}

}  // namespace brimvale
