#pragma once

#include <windows.h>

namespace brimvale {

// The main window. For now an empty frame of the laid-out size.
class TfrmMain {
 public:
  TfrmMain() = default;
  TfrmMain(const TfrmMain&) = delete;
  TfrmMain& operator=(const TfrmMain&) = delete;
  ~TfrmMain();

  bool Create(HINSTANCE instance);
  HWND Handle() const { return handle_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
};

}  // namespace brimvale
