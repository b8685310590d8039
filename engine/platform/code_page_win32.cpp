#include <windows.h>

#include "engine/platform/UCodePage.h"

namespace brimvale {

TLeadBytes LeadBytesOf(unsigned codePage) {
  TLeadBytes lead;
  CPINFO info{};
  if (!GetCPInfo(codePage, &info)) return lead;
  // Pairs of first and last byte, ended by a pair of zeros.
  for (int pair = 0; pair + 1 < MAX_LEADBYTES && info.LeadByte[pair]; pair += 2)
    for (unsigned byte = info.LeadByte[pair]; byte <= info.LeadByte[pair + 1]; ++byte)
      lead.set(byte);
  return lead;
}

const TLeadBytes& ProcessLeadBytes() {
  // The process's page never changes while it runs.
  static const TLeadBytes lead = LeadBytesOf(GetACP());
  return lead;
}

}  // namespace brimvale
