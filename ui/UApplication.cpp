#include "ui/UApplication.h"

namespace brimvale {

std::string ErrorBoxText(const std::string& text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') return text + ".";
  return text;
}

void TApplication::Dispatch(MSG& message) {
  // No default button: Enter presses the focused push button, as a click.
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && mainWindow_ &&
      IsChild(mainWindow_, message.hwnd) &&
      (SendMessageA(message.hwnd, WM_GETDLGCODE, 0, 0) &
       (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
    SendMessageA(message.hwnd, BM_CLICK, 0, 0);
    return;
  }
  if (mainWindow_ && IsDialogMessageA(mainWindow_, &message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void TApplication::ProcessMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      terminated_ = true;
      continue;
    }
    Dispatch(message);
  }
}

void TApplication::Run() {
  MSG message;
  while (!terminated_) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      terminated_ = true;
      break;
    }
    Dispatch(message);
  }
}

void TApplication::HandleException(const std::exception& error) const {
  MessageBoxA(mainWindow_, ErrorBoxText(error.what()).c_str(), title_.c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace brimvale
