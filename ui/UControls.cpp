#include "ui/UControls.h"

#include "engine/platform/UWin32Text.h"

namespace brimvale {
namespace {

// The group box's own procedure, kept in its user data: a classic subclass,
// since the common-controls one looks its data up in a window property on
// every message, a round trip to the window server under Wine.
WNDPROC OriginalProc(HWND groupBox) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(groupBox, GWLP_USERDATA));
}

LRESULT CALLBACK ForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC original = OriginalProc(window);
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
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
  }
  return CallWindowProcA(original, window, message, wParam, lParam);
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

void ForwardChildNotifications(HWND groupBox) {
  if (OriginalProc(groupBox)) return;  // already forwarding
  SetWindowLongPtrA(groupBox, GWLP_USERDATA, GetWindowLongPtrA(groupBox, GWLP_WNDPROC));
  SetWindowLongPtrA(groupBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForwardingProc));
}

void SendToDescendants(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  TSentMessage sent{message, wParam, lParam};
  EnumChildWindows(parent, SendToChild, reinterpret_cast<LPARAM>(&sent));
}

std::string WindowText(HWND window) {
  // Wide, then converted: the 8-bit length a window reports need not be the
  // length of its text in the process's page.
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return ProcessText(text);
}

}  // namespace brimvale
