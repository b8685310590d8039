#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace brimvale::test {

// While alive, closes every message box this thread opens, as soon as it is
// shown, with OK; records what each one looked like.
class TBoxCatcher {
 public:
  struct TBox {
    std::string caption;
    std::string text;
    RECT bounds{};
    bool hasIcon = false;
    std::vector<std::string> buttons;
  };

  TBoxCatcher();
  TBoxCatcher(const TBoxCatcher&) = delete;
  TBoxCatcher& operator=(const TBoxCatcher&) = delete;
  ~TBoxCatcher();

  std::vector<TBox> boxes;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK Inspect(HWND, UINT, UINT_PTR timer, DWORD);
  HHOOK hook_;
  HWND pending_ = nullptr;  // the box waiting to be looked at
};

}  // namespace brimvale::test
