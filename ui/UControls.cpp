#include "ui/UControls.h"

#include <commctrl.h>

namespace brimvale {
namespace {

LRESULT CALLBACK ForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
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

struct TSentMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

BOOL CALLBACK SendToChild(HWND child, LPARAM context) {
  const auto* sent = reinterpret_cast<const TSentMessage*>(context);
  SendMessageA(child, sent->message, sent->wParam, sent->lParam);
  return TRUE;
}

}  // namespace

void ForwardChildNotifications(HWND groupBox) { SetWindowSubclass(groupBox, ForwardingProc, 0, 0); }

void SendToDescendants(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  TSentMessage sent{message, wParam, lParam};
  EnumChildWindows(parent, SendToChild, reinterpret_cast<LPARAM>(&sent));
}

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetWindowTextIfChanged(HWND window, const std::string& text) {
  if (WindowText(window) != text) SetWindowTextA(window, text.c_str());
}

}  // namespace brimvale
