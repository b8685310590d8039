#include "ui/UApplication.h"

#include "ui/UWindow.h"

namespace brimvale {

// The application window (TApplication::Handle).
class TTaskbarWindow final : public TWindow {
 public:
  explicit TTaskbarWindow(TApplication& application)
      : TWindow(application), FApplication(application) {}
  ~TTaskbarWindow() override { DestroyHandle(); }

  bool Create(const std::string& title) {
    // Empty, at the centre of the screen: the taskbar shows its button, the
    // screen nothing. A popup with a caption, so that the button has the
    // window menu (restore, minimise, close).
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    return CreateHandle(TWindowClass{"TApplication", FApplication.Icon()}, 0, title.c_str(),
                        WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                        RECT{x, y, x, y}, nullptr);
  }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    const HWND main = FApplication.MainWindow();
    switch (message) {
      case WM_SYSCOMMAND:
        // From the taskbar button's menu, or a click on it. Close becomes
        // WM_CLOSE in the default procedure.
        switch (wParam & 0xFFF0) {
          case SC_MINIMIZE:
            FApplication.Minimize();
            return 0;
          case SC_RESTORE:
            FApplication.Restore();
            return 0;
        }
        break;
      case WM_CLOSE:
        if (main) SendMessageA(main, WM_CLOSE, 0, 0);
        return 0;
      case WM_SETFOCUS:
        // Activated itself (the taskbar, Alt+Tab): the main window takes over.
        if (main && IsWindowVisible(main) && IsWindowEnabled(main)) SetFocus(main);
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
  }

  TApplication& FApplication;
};

TApplication::TApplication(HINSTANCE instance) : FInstance(instance) {
  // For the whole process, as the system's guidance for programs has it: a
  // drive without its medium fails the call that meets it (a probe, a fill
  // file's name search or creation) rather than bring up the system's
  // "There is no disk in the drive" box, whose answer the program would
  // never see. Whatever else the mode holds stays.
  SetErrorMode(SetErrorMode(SEM_FAILCRITICALERRORS) | SEM_FAILCRITICALERRORS);
}

TApplication::~TApplication() = default;

void TApplication::SetTitle(std::string title) {
  FTitle = std::move(title);
  if (FWindow) SetWindowTextA(FWindow->Handle(), FTitle.c_str());
}

HWND TApplication::Handle() const { return FWindow ? FWindow->Handle() : nullptr; }

bool TApplication::CreateHandle() {
  if (FWindow) return true;
  auto window = std::make_unique<TTaskbarWindow>(*this);
  if (!window->Create(FTitle)) return false;
  FWindow = std::move(window);
  return true;
}

void TApplication::ShowTaskbarButton(bool minimized) {
  if (const HWND window = Handle()) ShowWindow(window, minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNA);
}

void TApplication::Minimize() {
  const HWND window = Handle();
  if (!window || IsIconic(window)) return;
  if (FMainWindow) ShowWindow(FMainWindow, SW_HIDE);  // keeps its place and size
  ShowWindow(window, SW_MINIMIZE);
}

void TApplication::Restore() {
  const HWND window = Handle();
  if (!window) return;
  ShowWindow(window, SW_RESTORE);
  if (!FMainWindow) return;
  ShowWindow(FMainWindow, SW_SHOW);
  SetForegroundWindow(FMainWindow);
}

std::string ErrorBoxText(const std::string& text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') return text + ".";
  return text;
}

void TApplication::Dispatch(MSG& message) {
  // No default button: Enter presses the focused push button, as a click.
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && FMainWindow &&
      IsChild(FMainWindow, message.hwnd) &&
      (SendMessageA(message.hwnd, WM_GETDLGCODE, 0, 0) &
       (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
    SendMessageA(message.hwnd, BM_CLICK, 0, 0);
    return;
  }
  if (FMainWindow && IsDialogMessageA(FMainWindow, &message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void TApplication::ProcessMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      FTerminated = true;
      continue;
    }
    Dispatch(message);
  }
}

void TApplication::Run() {
  MSG message;
  while (!FTerminated) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      FTerminated = true;
      break;
    }
    Dispatch(message);
  }
}

HWND TApplication::BoxOwner() const {
  if (FMainWindow && IsWindowVisible(FMainWindow)) return FMainWindow;
  return Handle();
}

int TApplication::ShowBox(const std::string& text, UINT flags) const {
  // The dialog manager disables the owner and enables it again before the
  // box goes, which hands it the activation; the rest of the program is
  // disabled here.
  const HWND owner = BoxOwner();
  const TWindowsDisabled others(owner);
  return MessageBoxA(owner, text.c_str(), FTitle.c_str(), flags | MB_APPLMODAL);
}

void TApplication::HandleException(const std::exception& error) const {
  ShowBox(ErrorBoxText(error.what()), MB_OK | MB_ICONERROR);
}

}  // namespace brimvale
