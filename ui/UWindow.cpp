#include "ui/UWindow.h"

#include "ui/USystemLibraries.h"

namespace brimvale {

bool TSubclassedWindow::Subclass(HWND window) {
  return dll::SetWindowSubclass(window, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this)) !=
         FALSE;
}

LRESULT CALLBACK TSubclassedWindow::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam, UINT_PTR, DWORD_PTR object) {
  auto* self = reinterpret_cast<TSubclassedWindow*>(object);
  if (message == WM_NCDESTROY) {
    dll::RemoveWindowSubclass(window, SubclassProc, 0);
    self->WindowGone();
    return dll::DefSubclassProc(window, message, wParam, lParam);
  }
  return Guarded(self->FErrors, LRESULT{0},
                 [&] { return self->OnMessage(message, wParam, lParam); });
}

TWindowsDisabled::TWindowsDisabled(HWND keep) : FActive(GetActiveWindow()), FKeep(keep) {
  EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
}

TWindowsDisabled::~TWindowsDisabled() {
  Enable();
  if (FActive && IsWindow(FActive)) SetActiveWindow(FActive);
}

void TWindowsDisabled::Enable() {
  for (const HWND window : FWindows)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  FWindows.clear();
}

BOOL CALLBACK TWindowsDisabled::Disable(HWND window, LPARAM self) {
  auto* disabled = reinterpret_cast<TWindowsDisabled*>(self);
  if (window != disabled->FKeep && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    disabled->FWindows.push_back(window);
  }
  return TRUE;
}

TWindow::~TWindow() { DestroyHandle(); }

void TWindow::DestroyHandle() {
  if (FHandle) DestroyWindow(FHandle);
}

bool TWindow::CreateHandle(const TWindowClass& windowClass, DWORD exStyle, const char* caption,
                           DWORD style, const RECT& bounds, HWND parent, HMENU menu) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA registered{};
  if (!GetClassInfoA(instance, windowClass.name, &registered)) {
    registered.style = windowClass.style;
    registered.lpfnWndProc = WindowProc;
    registered.hInstance = instance;
    registered.hIcon = windowClass.icon;
    registered.hCursor = windowClass.cursor;
    registered.hbrBackground = windowClass.background;
    registered.lpszClassName = windowClass.name;
    if (!RegisterClassA(&registered)) return false;
  }
  return CreateWindowExA(exStyle, windowClass.name, caption, style, bounds.left, bounds.top,
                         bounds.right - bounds.left, bounds.bottom - bounds.top, parent, menu,
                         instance, this) != nullptr;
}

LRESULT TWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultProc(message, wParam, lParam);
}

LRESULT TWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(FHandle, message, wParam, lParam);
}

LRESULT CALLBACK TWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->FHandle = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  // The few messages before the binding (WM_GETMINMAXINFO) and those after
  // WM_NCDESTROY find no object.
  auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  const LRESULT result =
      Guarded(self->FErrors, LRESULT{0}, [&] { return self->OnMessage(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
  }
  return result;
}

}  // namespace brimvale
