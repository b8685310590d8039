#include "ui/UMessageBox.h"

#include <windows.h>

#include "ui/UApplication.h"

namespace brimvale {
namespace {

// Dismisses the box as soon as it is activated.
LRESULT CALLBACK DismissAtOnce(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class TCbtHook {
 public:
  TCbtHook() : hook_(SetWindowsHookExA(WH_CBT, DismissAtOnce, nullptr, GetCurrentThreadId())) {}
  TCbtHook(const TCbtHook&) = delete;
  TCbtHook& operator=(const TCbtHook&) = delete;
  ~TCbtHook() {
    if (hook_) UnhookWindowsHookEx(hook_);
  }

 private:
  HHOOK hook_;
};

}  // namespace

void TMessageBoxSink::Show(const std::string& text) {
  // No owner and task-modal: centred on the screen, every window of the
  // program disabled while it is open.
  const UINT style = MB_OK | MB_TASKMODAL | MB_SETFOREGROUND;
  if (application_.Terminated()) {
    TCbtHook dismiss;
    MessageBoxA(nullptr, text.c_str(), application_.Title().c_str(), style);
    return;
  }
  MessageBoxA(nullptr, text.c_str(), application_.Title().c_str(), style);
}

}  // namespace brimvale
