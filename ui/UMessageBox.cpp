#include "ui/UMessageBox.h"

#include <windows.h>

#include <optional>

#include "ui/UApplication.h"
#include "ui/UOwners.h"

namespace brimvale {
namespace {

// Dismisses the box as soon as it is activated.
LRESULT CALLBACK DismissAtOnce(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void TMessageBoxSink::Show(const std::string& text) {
  std::optional<THookOwner> dismiss;
  if (FApplication.Terminated())
    dismiss.emplace(SetWindowsHookExA(WH_CBT, DismissAtOnce, nullptr, GetCurrentThreadId()));
  FApplication.ShowBox(text, MB_OK | MB_SETFOREGROUND);
}

}  // namespace brimvale
