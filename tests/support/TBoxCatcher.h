#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace brimvale::test {

// While alive, closes every message box this thread opens with OK, `delay`
// after it is shown, and records what each one looked like. With a long
// delay it is a watchdog: a box that should have gone by itself is caught
// and recorded, and the test fails instead of waiting for a user.
class TBoxCatcher {
 public:
  struct TBox {
    std::string caption;
    std::string text;
    RECT bounds{};
    bool hasIcon = false;
    std::vector<std::string> buttons;
  };

  explicit TBoxCatcher(std::chrono::milliseconds delay = std::chrono::milliseconds(10));
  TBoxCatcher(const TBoxCatcher&) = delete;
  TBoxCatcher& operator=(const TBoxCatcher&) = delete;
  ~TBoxCatcher();

  std::vector<TBox> boxes;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK Inspect(HWND, UINT, UINT_PTR timer, DWORD);
  HHOOK hook_;
  UINT delay_;
  UINT_PTR timer_ = 0;
  HWND pending_ = nullptr;  // the box waiting to be looked at
};

}  // namespace brimvale::test
