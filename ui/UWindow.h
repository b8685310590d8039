#pragma once

#include <windows.h>

#include <commctrl.h>

#include <exception>
#include <stdexcept>
#include <vector>

#include "ui/UApplication.h"

namespace brimvale {

// Runs `handler` for a callback of the system's (a window or subclass
// procedure, the folder browser's callback), whose frames no error may
// cross: an error that escapes goes to the application's error box, and
// `fallback` is the answer instead.
template <class TResult, class THandler>
TResult Guarded(const TApplication& application, TResult fallback, THandler&& handler) noexcept {
  try {
    return handler();
  } catch (const std::exception& error) {
    application.HandleException(error);
  } catch (...) {
    application.HandleException(std::runtime_error("Unknown error"));
  }
  return fallback;
}

// The base of an object behind a window of one of the system's classes
// (an Edit, a Button): a subclass hands it every message through
// OnMessage, inside the one barrier, and WindowGone runs as the window goes
// (WM_NCDESTROY). The object outlives the window, or destroys it first.
class TSubclassedWindow {
 public:
  TSubclassedWindow(const TSubclassedWindow&) = delete;
  TSubclassedWindow& operator=(const TSubclassedWindow&) = delete;

 protected:
  explicit TSubclassedWindow(const TApplication& application) : FErrors(application) {}
  virtual ~TSubclassedWindow() = default;

  bool Subclass(HWND window);
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual void WindowGone() = 0;
  const TApplication& Errors() const { return FErrors; }

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR object);

  const TApplication& FErrors;  // not owned: where escaped errors go
};

// While alive, every other visible, enabled top-level window of the thread
// is disabled, so that a modal window (a box, the folder browser) is modal
// to the whole program. `keep` is left alone: the owner of a dialog, which
// the dialog manager disables and enables again itself. Enable gives the
// windows back early, as the modal window starts to go, so that the system
// hands the activation back to the program rather than to the next window
// on the desktop; at the latest they come back when this goes.
class TWindowsDisabled {
 public:
  explicit TWindowsDisabled(HWND keep = nullptr);
  TWindowsDisabled(const TWindowsDisabled&) = delete;
  TWindowsDisabled& operator=(const TWindowsDisabled&) = delete;
  ~TWindowsDisabled();

  void Enable();

 private:
  static BOOL CALLBACK Disable(HWND window, LPARAM self);

  HWND FActive;  // not owned: activated again at the end
  HWND FKeep;    // not owned
  std::vector<HWND> FWindows;
};

// What a window class of the program's own looks like.
struct TWindowClass {
  const char* name;
  HICON icon = nullptr;
  HCURSOR cursor = LoadCursor(nullptr, IDC_ARROW);
  HBRUSH background = nullptr;
  UINT style = 0;
};

// The base of every window of a class of the program's own. Its one window
// procedure binds the object to the window as it is created and hands it
// every message through OnMessage, inside the one exception barrier.
class TWindow {
 public:
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return FHandle; }

 protected:
  explicit TWindow(const TApplication& application) : FErrors(application) {}
  // A derived window destroys its handle in its own destructor, while its
  // OnMessage still is its own; this one only catches what is left.
  virtual ~TWindow();

  // Registers the class (once per process) and creates the window, bound
  // to this object from its first message on.
  bool CreateHandle(const TWindowClass& windowClass, DWORD exStyle, const char* caption,
                    DWORD style, const RECT& bounds, HWND parent, HMENU menu = nullptr);
  void DestroyHandle();

  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  const TApplication& FErrors;  // not owned: where escaped errors go
  HWND FHandle = nullptr;
};

}  // namespace brimvale
