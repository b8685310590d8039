// Times one WriteFillFile call, create to close, and prints the seconds.
// The same source runs natively and, built for Windows, under Wine; on
// mingw the steady clock is QueryPerformanceCounter.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/UFillWriter.h"
#include "engine/UGlobals.h"

namespace {

// The product's callback repaints and pumps messages; this one only costs the
// indirect call, so the figure is the writer's own.
struct TIdleProgress {
  void OnWriteProgress(double) {}
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s FILE [SIZE]\n", argv[0]);
    return 2;
  }
  const std::int32_t size = argc == 3 ? static_cast<std::int32_t>(std::atol(argv[2])) : 1073741824;
  TIdleProgress idle;
  const auto progress = brimvale::ProgressProc::Bind<&TIdleProgress::OnWriteProgress>(&idle);

  const auto start = std::chrono::steady_clock::now();
  const bool ok = brimvale::WriteFillFile(argv[1], 0, size, false, false, brimvale::AbortRequested,
                                          progress, brimvale::SystemFileSystem());
  const auto stop = std::chrono::steady_clock::now();
  if (!ok) {
    std::fprintf(stderr, "%s: writing %s failed\n", argv[0], argv[1]);
    return 1;
  }
  std::printf("%.6f\n", std::chrono::duration<double>(stop - start).count());
  return 0;
}
