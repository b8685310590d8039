#pragma once

namespace brimvale {

// `value` rounded to a double, as where the program keeps one. The 32-bit
// build computes on the x87 unit (many XP machines have no SSE2), and GCC
// keeps its 80 bits across assignments and casts; only a store to memory
// rounds. Worked in long double and rounded here, both builds give the same
// bits.
inline double StoredAsDouble(long double value) {
  volatile double stored = static_cast<double>(value);
  return stored;
}

}  // namespace brimvale
