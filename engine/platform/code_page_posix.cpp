#include <iconv.h>

#include <cerrno>
#include <string>

#include "engine/platform/UCodePage.h"

namespace brimvale {

TLeadBytes LeadBytesOf(unsigned codePage) {
  TLeadBytes lead;
  if (codePage == 65001) return lead;
  // A lead byte alone is an incomplete character to the system's converter.
  const iconv_t converter = iconv_open("UTF-8", ("CP" + std::to_string(codePage)).c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return lead;
  for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
    char in = static_cast<char>(byte), out[8];
    char* from = &in;
    char* to = out;
    std::size_t inLeft = 1, outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &from, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1) &&
        errno == EINVAL)
      lead.set(byte);
  }
  iconv_close(converter);
  return lead;
}

const TLeadBytes& ProcessLeadBytes() {
  // Text here is UTF-8.
  static const TLeadBytes none;
  return none;
}

}  // namespace brimvale
