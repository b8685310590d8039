#include "ui/UfrmMain.h"

#include "ui/UApplication.h"

namespace brimvale {
namespace {

constexpr char kClassName[] = "TfrmMain";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kClientWidth = 410, kClientHeight = 408;

}  // namespace

TfrmMain::~TfrmMain() {
  if (handle_) DestroyWindow(handle_);
}

bool TfrmMain::Create(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, kStyle, FALSE);
  handle_ = CreateWindowExA(0, kClassName, kApplicationTitle, kStyle, 293, 110,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            instance, this);
  return handle_ != nullptr;
}

LRESULT CALLBACK TfrmMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TfrmMain*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TfrmMain*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return self ? self->OnMessage(message, wParam, lParam)
              : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TfrmMain::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      handle_ = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

}  // namespace brimvale
