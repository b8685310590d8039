#include "ui/UControls.h"

#include <commctrl.h>

namespace brimvale {
namespace {

LRESULT CALLBACK ForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      return SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_ERASEBKGND: {
      // A group box paints only its frame; with children of its own nothing
      // else paints behind them.
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, ForwardingProc, 0);
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void ForwardChildNotifications(HWND groupBox) {
  SetWindowSubclass(groupBox, ForwardingProc, 0, 0);
}

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetWindowTextIfChanged(HWND window, const std::string& text) {
  if (WindowText(window) != text) SetWindowTextA(window, text.c_str());
}

}  // namespace brimvale
