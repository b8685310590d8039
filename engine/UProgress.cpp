#include "engine/UProgress.h"

#include <cmath>

namespace brimvale {

TProgress ComputeProgress(std::uint32_t elapsed, double fraction, double fileClusters,
                          double doneClusters, double runClusters) {
  const double done = fraction * fileClusters + doneClusters;
  const double overall = done / runClusters;

  TProgress progress;
  // Space freed on the drive during a run can push the progress past the
  // whole; the bar then stays full and nothing is left to wait for, instead
  // of a wrapped estimate of weeks.
  if (overall >= 1.0) {
    progress.Position = 100;
    return progress;
  }
  if (overall > 0) {  // false for NaN as well
    const long double total = static_cast<long double>(elapsed) / overall;
    // Only the low 32 bits of the rounded total count; fmod keeps a huge total
    // (a tiny progress on a vast drive) from overflowing the conversion.
    const long double low = std::fmod(std::nearbyint(total), 4294967296.0L);  // ties to even
    progress.Estimate = static_cast<std::uint32_t>(low) - elapsed;
    progress.Position = static_cast<int>(std::nearbyint(static_cast<long double>(overall) * 100));
  }
  return progress;
}

}  // namespace brimvale
