#include <windows.h>

#include "engine/platform/ULocale.h"
#include "engine/platform/UWin32Text.h"

namespace brimvale {

TFormatSettings ReadFormatSettings() {
  TFormatSettings settings;
  // Wide, then into the process's page (UTF-8 where Windows offers it). A
  // separator that the page cannot hold, such as French U+202F on an older
  // Windows, becomes the no-break space it stands for, or a plain space.
  wchar_t separator[4] = {};  // the locale allows up to three characters
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, 4) <= 0) return settings;
  for (const wchar_t* candidate : {static_cast<const wchar_t*>(separator), L"\u00A0", L" "}) {
    bool whole = false;
    std::string text = ProcessText(candidate, whole);
    if (!whole) continue;
    settings.ThousandSeparator = std::move(text);
    break;
  }
  return settings;
}

}  // namespace brimvale
