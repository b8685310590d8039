#include "tests/support/TBoxCatcher.h"

#include <utility>

namespace brimvale::test {
namespace {

TBoxCatcher* gCatcher = nullptr;  // the newest alive on this thread

struct TInspected {
  TBoxCatcher::TBox* box;
  bool browser = false;  // the folder browser, a dialog of the same class
};

BOOL CALLBACK InspectChild(HWND child, LPARAM context) {
  auto* inspected = reinterpret_cast<TInspected*>(context);
  TBoxCatcher::TBox* box = inspected->box;
  char name[32] = {}, text[512] = {};
  GetClassNameA(child, name, sizeof name);
  GetWindowTextA(child, text, sizeof text);
  const LONG style = GetWindowLongA(child, GWL_STYLE);
  if (std::string(name) == "SysTreeView32") inspected->browser = true;
  if (!(style & WS_VISIBLE)) return TRUE;  // the box keeps its unused buttons hidden
  if (std::string(name) == "Button") box->buttons.push_back(text);
  if (std::string(name) == "Static") {
    if ((style & SS_TYPEMASK) == SS_ICON) {
      box->hasIcon = SendMessageA(child, STM_GETICON, 0, 0) != 0;
    } else if (*text) {
      box->text = text;
    }
  }
  return TRUE;
}

// Clears `context` (the box) when another window of the thread takes input.
BOOL CALLBACK FindInputWindow(HWND window, LPARAM context) {
  auto* box = reinterpret_cast<HWND*>(context);
  if (window == *box || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
  *box = nullptr;
  return FALSE;
}

}  // namespace

TBoxCatcher::TBoxCatcher(std::chrono::milliseconds delay)
    : FPrevious(std::exchange(gCatcher, this)), FDelay(static_cast<UINT>(delay.count())) {
  if (!FPrevious) FHook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

TBoxCatcher::~TBoxCatcher() {
  if (FTimer) KillTimer(nullptr, FTimer);
  if (FHook) UnhookWindowsHookEx(FHook);
  gCatcher = FPrevious;
}

// The box is activated before it has its text: look at it a moment later,
// from its own modal loop.
void CALLBACK TBoxCatcher::Inspect(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (!gCatcher || !gCatcher->FPending) return;
  gCatcher->FTimer = 0;
  const HWND window = std::exchange(gCatcher->FPending, nullptr);
  if (!IsWindow(window)) return;  // it went by itself
  TBox box;
  TInspected inspected{&box};
  EnumChildWindows(window, InspectChild, reinterpret_cast<LPARAM>(&inspected));
  if (inspected.browser) return;  // the test that opened it closes it
  char caption[256] = {};
  GetWindowTextA(window, caption, sizeof caption);
  box.caption = caption;
  GetWindowRect(window, &box.bounds);
  box.owner = GetWindow(window, GW_OWNER);
  HWND alone = window;
  EnumThreadWindows(GetCurrentThreadId(), FindInputWindow, reinterpret_cast<LPARAM>(&alone));
  box.modal = alone != nullptr;
  gCatcher->boxes.push_back(box);
  if (gCatcher->FFailsTheTest) ADD_FAILURE() << "an unexpected box: " << box.text;
  PostMessageA(window, WM_COMMAND, IDOK, 0);
}

LRESULT CALLBACK TBoxCatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && gCatcher) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770") {
      gCatcher->FPending = window;
      gCatcher->FTimer = SetTimer(nullptr, 0, gCatcher->FDelay, Inspect);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TBoxWatchdog::SetUp() {
  FCatcher = std::make_unique<TBoxCatcher>(std::chrono::milliseconds(0));
  FCatcher->FFailsTheTest = true;
}

}  // namespace brimvale::test
