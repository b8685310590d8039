#include "engine/UGlobals.h"

namespace brimvale {

bool AbortRequested = false;
std::uint32_t RandSeed = 0;

std::uint8_t RandomByte() {
  RandSeed = RandSeed * 134775813u + 1u;
  return static_cast<std::uint8_t>(RandSeed >> 24);
}

}  // namespace brimvale
