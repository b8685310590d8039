#include "engine/UProgress.h"

#include <cmath>

#include "engine/UDouble.h"

namespace brimvale {
namespace {

constexpr std::uint32_t kLongest = 0xFFFFFFFF;

}  // namespace

TProgress ComputeProgress(std::uint32_t elapsed, double fraction, double fileClusters,
                          double doneClusters, double runClusters) {
  // Done and overall are kept as doubles; the rest stays extended.
  const double done =
      StoredAsDouble(static_cast<long double>(fraction) * fileClusters + doneClusters);
  const double overall = StoredAsDouble(static_cast<long double>(done) / runClusters);

  TProgress progress;
  progress.Elapsed = elapsed;
  // Space freed on the drive during a run can push the progress past the
  // whole; the bar then stays full and nothing is left to wait for, instead
  // of a wrapped estimate of weeks.
  if (overall >= 1.0) {
    progress.Position = 100;
    return progress;
  }
  if (overall > 0) {  // false for NaN as well
    const long double total = static_cast<long double>(elapsed) / overall;
    // The whole run at the average rate so far, less the time taken. On a
    // vast drive early in a run it can exceed the longest duration there is
    // (49 days); it then stays at that instead of wrapping to some smaller,
    // wrong figure.
    const long double left = std::rint(total) - elapsed;  // ties to even (the default mode)
    progress.Estimate = left >= kLongest ? kLongest : static_cast<std::uint32_t>(left);
    progress.Position = static_cast<int>(std::rint(static_cast<long double>(overall) * 100));
  }
  return progress;
}

}  // namespace brimvale
