#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace brimvale::test {

// While alive, closes every message box this thread opens with OK, `delay`
// after it is shown, and records what each one looked like. With a long
// delay it is a watchdog: a box that should have gone by itself is caught
// and recorded, and the test fails instead of waiting for a user. Catchers
// nest: the newest alive one takes the boxes.
class TBoxCatcher {
 public:
  struct TBox {
    std::string caption;
    std::string text;
    RECT bounds{};
    bool hasIcon = false;
    std::vector<std::string> buttons;
    HWND owner = nullptr;
    bool modal = false;  // no other window of the thread could take input
  };

  explicit TBoxCatcher(std::chrono::milliseconds delay = std::chrono::milliseconds(10));
  TBoxCatcher(const TBoxCatcher&) = delete;
  TBoxCatcher& operator=(const TBoxCatcher&) = delete;
  ~TBoxCatcher();

  std::vector<TBox> boxes;

 private:
  friend class TBoxWatchdog;

  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK Inspect(HWND, UINT, UINT_PTR timer, DWORD);
  TBoxCatcher* FPrevious;
  HHOOK FHook = nullptr;  // the outermost catcher's, for all of them
  UINT FDelay;
  UINT_PTR FTimer = 0;
  HWND FPending = nullptr;  // the box waiting to be looked at
  bool FFailsTheTest = false;
};

// For a whole test program: a box that no test expects is closed at once
// and fails the running test, rather than waiting for ctest's timeout.
class TBoxWatchdog final : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override { FCatcher.reset(); }

 private:
  std::unique_ptr<TBoxCatcher> FCatcher;
};

}  // namespace brimvale::test
