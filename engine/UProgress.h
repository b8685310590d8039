#pragma once

#include <cstdint>

namespace brimvale {

// What the window shows after a block.
struct TProgress {
  int Position = 0;            // the bar, 0 to 100
  std::uint32_t Elapsed = 0;   // time taken, ms
  std::uint32_t Estimate = 0;  // time left, ms
};

// From the elapsed time, the fraction of the current file written and the
// run's cluster counts. The estimate is the whole run at the average rate so
// far, less the time taken, at most 2^32 - 1 ms. Position and estimate round
// to nearest, halves to even.
TProgress ComputeProgress(std::uint32_t elapsed, double fraction, double fileClusters,
                          double doneClusters, double runClusters);

}  // namespace brimvale
