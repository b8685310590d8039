#pragma once

#include <cstdint>

namespace brimvale {

// Set by Abort (and by a run after a failed file); cleared when a run starts.
// Only the GUI thread touches it.
extern bool AbortRequested;

// State of the program's pseudo-random generator. Never seeded, so every
// process produces the same sequence.
extern std::uint32_t RandSeed;

// Next value 0..255 of the generator: state = state * 134775813 + 1, top 8 bits.
std::uint8_t RandomByte();

}  // namespace brimvale
