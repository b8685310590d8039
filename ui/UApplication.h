#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <string>

#include "UVersion.h"

namespace brimvale {

// The application title: taskbar text and the caption of every message box.
inline constexpr const char kApplicationTitle[] = BRIMVALE_TITLE;

class TTaskbarWindow;

// Handlers that keep the thread (a fill run) reach the message queue only
// through ProcessMessages; a quit request met there is noted, not obeyed,
// until the handler returns to Run.
class TApplication {
 public:
  // Also turns the system's critical-error box off for the process.
  explicit TApplication(HINSTANCE instance);
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;
  ~TApplication();

  HINSTANCE Instance() const { return FInstance; }
  // MAINICON, the program's icon; shared, so never destroyed.
  HICON Icon() const { return LoadIconA(FInstance, "MAINICON"); }
  const std::string& Title() const { return FTitle; }
  // Also the caption of the taskbar button.
  void SetTitle(std::string title);

  // The application window: it carries the program's taskbar button, with
  // the title as its caption, and owns the main window, which so has no
  // button of its own. It never shows as a window on screen: it is empty.
  // Made by CreateHandle (the main window does, as it is made); nullptr
  // until then.
  HWND Handle() const;
  bool CreateHandle();
  // Shows the taskbar button, minimised or not.
  void ShowTaskbarButton(bool minimized);
  // The main window goes to the taskbar button, and comes back from it
  // where it was; a run goes on meanwhile.
  void Minimize();
  void Restore();

  // The window whose dialog keys (Tab, Enter on a button) the loop handles.
  void SetMainWindow(HWND window) { FMainWindow = window; }
  HWND MainWindow() const { return FMainWindow; }

  // Asks the program to end once the running handler returns.
  void Terminate() { PostQuitMessage(0); }
  bool Terminated() const { return FTerminated; }

  // Handles every pending message, then returns.
  void ProcessMessages();
  // Runs the message loop until the quit request.
  void Run();

  // A message box captioned with the title, modal to the whole program and
  // owned by it (BoxOwner); returns the button pressed.
  int ShowBox(const std::string& text, UINT flags) const;
  // The main window, or the application window while the main window is
  // hidden: the box so has no taskbar button of its own, and its owner gets
  // the activation back when it closes.
  HWND BoxOwner() const;

  // The box for an error that escaped a handler.
  void HandleException(const std::exception& error) const;

 private:
  void Dispatch(MSG& message);

  HINSTANCE FInstance;
  std::string FTitle = kApplicationTitle;
  HWND FMainWindow = nullptr;  // not owned
  bool FTerminated = false;
  std::unique_ptr<TTaskbarWindow> FWindow;
};

// The text of an escaped error as the box shows it: a full stop added when
// the last character sorts after one.
std::string ErrorBoxText(const std::string& text);

}  // namespace brimvale
