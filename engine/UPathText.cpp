#include "engine/UPathText.h"

namespace brimvale {
namespace {

// Calls `visit(offset, byte)` with the first byte of each character. A lead
// byte takes the next one with it; one at the very end stands alone.
template <class TVisit>
void ForEachCharacter(std::string_view text, const TLeadBytes& leadBytes, TVisit visit) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    visit(at, byte);
    if (leadBytes[byte]) ++at;
  }
}

}  // namespace

bool EndsWithBackslash(std::string_view path, const TLeadBytes& leadBytes) {
  bool backslash = false;
  ForEachCharacter(path, leadBytes,
                   [&](std::size_t, unsigned char byte) { backslash = byte == '\\'; });
  return backslash;
}

std::string FolderOf(std::string_view path, const TLeadBytes& leadBytes) {
  std::size_t end = 0;
  ForEachCharacter(path, leadBytes, [&](std::size_t at, unsigned char byte) {
    if (byte == '\\' || byte == ':') end = at + 1;
  });
  return std::string(path.substr(0, end));
}

}  // namespace brimvale
