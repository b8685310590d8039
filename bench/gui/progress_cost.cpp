// The cost of one progress report of the main window, in-process: a whole
// fill run of the real TfrmMain over a disk that only counts bytes, with a
// clock that advances 1 ms every `kReadingsPerMs` reports (about the rate of
// a run on a memory drive under Wine). The time between two clock readings
// is one report (bar, labels, message pump) plus a write that costs nothing.
// The pump alone is timed as TApplication::ProcessMessages on the same
// window; labels and bar are the difference of the means (they change in
// a few reports only, so the medians do not see them).
//   gui_progress_cost [rounds]
// Prints one line per round (medians and means in microseconds):
//   call_us=... pump_us=... call_mean_us=... pump_mean_us=... labels_us=... allocs_per_call=...
//   calls=...
// GUI_BENCH_REAL_CLOCK=1 takes GetTickCount instead of the fake clock;
// GUI_BENCH_REAL_ROOT=T:\ writes to that drive instead of counting bytes;
// GUI_BENCH_DETAIL=1 adds percentiles, changes of the time-left label and
// the cost of one bar move and one label rewrite on stderr.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "UBenchClock.h"
#include "engine/platform/UFileSystem.h"
#include "ui/UApplication.h"
#include "ui/USystemLibraries.h"
#include "ui/UfrmMain.h"

namespace {

std::atomic<long long> gAllocations{0};
long long gSetTexts = 0, gSetPos = 0, gPaints = 0;

LRESULT CALLBACK CountMessages(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (sent->message == WM_SETTEXT) ++gSetTexts;
  if (sent->message == PBM_SETPOS) ++gSetPos;
  if (sent->message == WM_PAINT) ++gPaints;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

// Counts every allocation of the process, so that one made per block shows.
void* operator new(std::size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace brimvale;

constexpr std::int64_t kDiskBytes = std::int64_t{1} << 30;  // one 1 GiB file: 16,384 reports
constexpr int kReadingsPerMs = 8;

// A drive of 4096-byte clusters whose writes only count.
class TCountingDisk final : public TFileSystem {
 public:
  std::int64_t used = 0;

  bool ClusterBytes(const char*, std::uint32_t& bytesPerCluster) override {
    bytesPerCluster = 4096;
    return true;
  }
  bool FreeBytesAvailable(const char*, std::int64_t& freeBytes) override {
    freeBytes = kDiskBytes - used;
    return true;
  }
  TFileHandle CreateNew(const std::string&, bool, bool& nameTaken) override {
    nameTaken = false;
    return 1;
  }
  bool Write(TFileHandle, const void*, std::uint32_t count, std::uint32_t& written) override {
    used += count;
    written = count;
    return true;
  }
  void Flush(TFileHandle) override {}
  bool Close(TFileHandle) override { return true; }
  bool FileExists(const std::string&) override { return false; }
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Mean(const std::vector<double>& values) {
  double sum = 0;
  for (double v : values) sum += v;
  return sum / static_cast<double>(values.size());
}

}  // namespace

int main(int argc, char** argv) {
  brimvale::LoadSystemLibraries();  // as the program starts
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  brimvale::dll::InitCommonControlsEx(&controls);

  TCountingDisk disk;
  std::vector<std::int64_t> readings;
  readings.reserve(1 << 16);
  const bool realClock = std::getenv("GUI_BENCH_REAL_CLOCK") != nullptr;
  const char* realRoot = std::getenv("GUI_BENCH_REAL_ROOT");
  TApplication application(GetModuleHandleA(nullptr));
  const bool detail = std::getenv("GUI_BENCH_DETAIL") != nullptr;
  HWND watched = nullptr;  // the time-left label, whose changes are counted in detail mode
  char shown[64] = {};
  long long changes = 0;
  TfrmMain form(application, realRoot ? SystemFileSystem() : disk, [&] {
    if (detail && watched) {
      char now[64] = {};
      GetWindowTextA(watched, now, sizeof now);
      if (std::strcmp(now, shown) != 0) ++changes;
      std::strcpy(shown, now);
    }
    readings.push_back(BenchCounter());
    if (realClock) return static_cast<std::uint32_t>(GetTickCount());
    return static_cast<std::uint32_t>(5000 + readings.size() / kReadingsPerMs);
  });
  if (!form.Create()) return 1;
  form.Show(SW_SHOWNORMAL);
  form.edtDir.SetText(realRoot ? realRoot : "B:\\");
  application.ProcessMessages();

  constexpr int kPumps = 16384;
  std::vector<double> pumps(kPumps), calls;
  calls.reserve(1 << 16);
  for (int round = 0; round < rounds; ++round) {
    for (double& pump : pumps) {
      const std::int64_t start = BenchCounter();
      application.ProcessMessages();
      pump = BenchMicroseconds(BenchCounter() - start);
    }

    disk.used = 0;
    readings.clear();
    const long long allocationsBefore = gAllocations;
    watched = form.lblEstimatedLeft;
    changes = 0;
    const HHOOK hook =
        std::getenv("GUI_BENCH_HOOK")
            ? SetWindowsHookExA(WH_CALLWNDPROC, CountMessages, nullptr, GetCurrentThreadId())
            : nullptr;
    gSetTexts = gSetPos = gPaints = 0;
    SendMessageA(form.btnGo, BM_CLICK, 0, 0);
    if (hook) UnhookWindowsHookEx(hook);
    const long long allocations = gAllocations - allocationsBefore;
    // Reading 0 is the run's start; each later one opens a report.
    calls.clear();
    for (std::size_t i = 2; i < readings.size(); ++i)
      calls.push_back(BenchMicroseconds(readings[i] - readings[i - 1]));
    if (calls.empty()) return 1;
    const double call = Median(calls), pump = Median(pumps);
    if (std::getenv("GUI_BENCH_DETAIL")) {
      std::vector<double> sorted = calls;
      std::sort(sorted.begin(), sorted.end());
      const auto at = [&](double q) {
        return sorted[static_cast<std::size_t>(q * (sorted.size() - 1))];
      };
      double top = 0;
      for (std::size_t i = sorted.size() * 99 / 100; i < sorted.size(); ++i) top += sorted[i];
      std::fprintf(stderr, "settexts=%lld setpos=%lld sent_paints=%lld estimate_changes=%lld\n",
                   gSetTexts, gSetPos, gPaints, changes);
      std::fprintf(stderr, "p50=%.1f p90=%.1f p99=%.1f max=%.1f sum_top1%%_ms=%.1f sum_ms=%.1f\n",
                   at(0.5), at(0.9), at(0.99), sorted.back(), top / 1000,
                   Mean(calls) * calls.size() / 1000);
    }
    // Bar and labels change in a few reports only: their cost is in the means.
    std::printf(
        "call_us=%.2f pump_us=%.2f call_mean_us=%.2f pump_mean_us=%.2f labels_us=%.2f "
        "allocs_per_call=%.3f calls=%zu\n",
        call, pump, Mean(calls), Mean(pumps), Mean(calls) - Mean(pumps),
        static_cast<double>(allocations) / static_cast<double>(readings.size() - 1),
        readings.size() - 1);
    std::fflush(stdout);
  }
  if (std::getenv("GUI_BENCH_DETAIL")) {
    // What one change on screen costs: the bar moved, a time label rewritten.
    ShowWindow(form.gauge, SW_SHOW);
    application.ProcessMessages();
    std::vector<double> bar, text, paint;
    for (int i = 0; i < 100; ++i) {
      std::int64_t start = BenchCounter();
      SendMessageA(form.gauge, PBM_SETPOS, static_cast<WPARAM>(i), 0);
      bar.push_back(BenchMicroseconds(BenchCounter() - start));
      application.ProcessMessages();
      start = BenchCounter();
      SetWindowTextA(form.lblTimeTaken, i % 2 ? "00:01" : "00:02");
      text.push_back(BenchMicroseconds(BenchCounter() - start));
      start = BenchCounter();
      application.ProcessMessages();
      paint.push_back(BenchMicroseconds(BenchCounter() - start));
    }
    {
      // The same split further: the bar without its repaint, and one repaint
      // of the bar and of a label on their own.
      std::vector<double> a, b, c;
      for (int i = 0; i < 100; ++i) {
        SendMessageA(form.gauge, WM_SETREDRAW, FALSE, 0);
        std::int64_t start = BenchCounter();
        SendMessageA(form.gauge, PBM_SETPOS, static_cast<WPARAM>(i), 0);
        a.push_back(BenchMicroseconds(BenchCounter() - start));
        SendMessageA(form.gauge, WM_SETREDRAW, TRUE, 0);
        application.ProcessMessages();
        start = BenchCounter();
        InvalidateRect(form.gauge, nullptr, FALSE);
        UpdateWindow(form.gauge);
        b.push_back(BenchMicroseconds(BenchCounter() - start));
        start = BenchCounter();
        InvalidateRect(form.lblTimeTaken, nullptr, FALSE);
        UpdateWindow(form.lblTimeTaken);
        c.push_back(BenchMicroseconds(BenchCounter() - start));
      }
      std::fprintf(stderr, "setpos_noredraw_us=%.1f gauge_paint_us=%.1f label_paint_us=%.1f\n",
                   Median(a), Median(b), Median(c));
    }
    ShowWindow(form.gauge, SW_HIDE);
    std::fprintf(stderr, "bar_setpos_us=%.1f label_settext_us=%.1f pump_after_settext_us=%.1f\n",
                 Median(bar), Median(text), Median(paint));
  }
  return 0;
}
