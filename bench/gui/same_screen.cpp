// What the fill run costs with the screen work that Brimvale's progress
// callback does and nothing else of Brimvale's: the same files as
// gui_bare_pump, and after every 64 KiB block the bar moved when its
// percentage changes, the two time labels rewritten when the whole seconds
// taken change, and one pass over the messages. The controls are
// Brimvale's: its Progress group box with the bar and the labels at their
// places, in its font, themed by its manifest. Go waits and is timed by
// gui_fill_driver as for the others.
//   gui_same_screen [drive root, e.g. T:\]    (default: the current folder)
// Prints one line when closed: self_seconds=... bytes=... files=...
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "UBenchFill.h"
#include "engine/UDuration.h"
#include "engine/UProgress.h"
#include "ui/UControls.h"
#include "ui/UScaling.h"

namespace {

TBenchRun gRun;
constexpr int kGoId = 1;
HWND gGauge = nullptr, gTaken = nullptr, gLeft = nullptr;

HWND Child(const char* windowClass, const char* text, DWORD style, int left, int top, int width,
           int height, HWND parent, HFONT font, int id = 0) {
  const HWND child = CreateWindowExA(
      0, windowClass, text, WS_CHILD | style, left, top, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

void Fill() {
  const DWORD start = GetTickCount();
  int shownPosition = 0;
  DWORD shownSeconds = 0xFFFFFFFF;
  SendMessageA(gGauge, PBM_SETPOS, 0, 0);
  ShowWindow(gGauge, SW_SHOW);
  const bool filled = BenchFill(gRun, [&](double fraction, double file, double done, double run) {
    const brimvale::TProgress progress =
        brimvale::ComputeProgress(GetTickCount() - start, fraction, file, done, run);
    if (progress.Position != shownPosition) {
      shownPosition = progress.Position;
      SendMessageA(gGauge, PBM_SETPOS, static_cast<WPARAM>(progress.Position), 0);
    }
    if (progress.Elapsed / 1000 != shownSeconds) {
      shownSeconds = progress.Elapsed / 1000;
      SetWindowTextA(gTaken, brimvale::FormatDuration(progress.Elapsed).c_str());
      SetWindowTextA(gLeft, brimvale::FormatDuration(progress.Estimate).c_str());
    }
    BenchPumpOnce();
  });
  if (!filled) std::fprintf(stderr, "gui_same_screen: the drive failed\n");
  ShowWindow(gGauge, SW_HIDE);
  SetWindowTextA(gLeft, "...");
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kGoId && HIWORD(wParam) == BN_CLICKED) {
        BenchRunFromGo(reinterpret_cast<HWND>(lParam), gRun, Fill);
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  gRun.root = BenchRoot(argc, argv);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  BenchRegisterClass("SameScreenFill", WindowProc);
  constexpr DWORD kStyle =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, 410, 408};
  AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_CONTROLPARENT);
  const HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, "SameScreenFill", "same screen", kStyle,
                                      293, 110, frame.right - frame.left, frame.bottom - frame.top,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  const HFONT font = brimvale::CreateLayoutFont(-11),
              bold = brimvale::CreateLayoutFont(-11, FW_BOLD);
  Child("Button", "Go", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 284, 272, 119, 29, window, font,
        kGoId);
  const HWND box =
      Child("Button", " Progress ", WS_VISIBLE | BS_GROUPBOX, 4, 304, 400, 97, window, font);
  brimvale::ForwardChildNotifications(box);
  constexpr DWORD kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
  Child("Static", "Time Taken:", kLabel, 8, 16, 60, 13, box, font);
  gTaken = Child("Static", "...", kLabel, 108, 16, 80, 13, box, bold);
  Child("Static", "Estimated Time Left:", kLabel, 8, 36, 96, 13, box, font);
  gLeft = Child("Static", "...", kLabel, 108, 36, 80, 13, box, bold);
  gGauge = Child(PROGRESS_CLASSA, "", 0, 4, 72, 392, 17, box, font);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);

  return BenchMessageLoop(window, gRun);
}
