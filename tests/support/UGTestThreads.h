#pragma once

// Force-included into GoogleTest and every test under a GCC whose thread
// model has no std::mutex (mingw-w64's win32 model, which the product is
// built with). GoogleTest locks with its own Win32 mutex there; only its
// thread-start Notification uses std::mutex, and its own hook
// GTEST_HAS_NOTIFICATION_ lets a build supply that class instead.

#include <cstddef>  // defines _GLIBCXX_HAS_GTHREADS where the model has threads

#if defined(_WIN32) && defined(__GLIBCXX__) && !defined(_GLIBCXX_HAS_GTHREADS)
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

// Lets threads that GoogleTest starts wait until their controller says go.
class Notification {
 public:
  Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  ~Notification() {
    if (event_) CloseHandle(event_);
  }

  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal
#endif
