// The ceiling that the per-block message pump sets under Wine: the fill
// run's files written by a bare program with one window and one empty pass
// over its messages after every 64 KiB block, and nothing else. Like the
// real program it waits with a "Go" button, disabled while it writes, so
// that gui_fill_driver times both the same way, from the press to idle.
//   gui_bare_pump [drive root, e.g. T:\]    (default: the current folder)
// Prints one line when closed: self_seconds=... bytes=... files=...
#include <windows.h>

#include <cstdio>

#include "UBenchFill.h"

namespace {

TBenchRun gRun;
constexpr int kGoId = 1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kGoId && HIWORD(wParam) == BN_CLICKED) {
        BenchRunFromGo(reinterpret_cast<HWND>(lParam), gRun, [] {
          if (!BenchFill(gRun, [](double, double, double, double) { BenchPumpOnce(); }))
            std::fprintf(stderr, "gui_bare_pump: the drive failed\n");
        });
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  gRun.root = BenchRoot(argc, argv);
  BenchRegisterClass("BareFillPump", WindowProc);
  const HWND window =
      CreateWindowExA(0, "BareFillPump", "bare pump", WS_OVERLAPPEDWINDOW, 100, 100, 420, 420,
                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  CreateWindowExA(0, "Button", "Go", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 320, 340,
                  75, 25, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGoId)),
                  GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);

  return BenchMessageLoop(nullptr, gRun);
}
