#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "UVersion.h"

namespace brimvale {

// The application title: taskbar text and the caption of every message box.
inline constexpr const char kApplicationTitle[] = BRIMVALE_TITLE;

// Handlers that keep the thread (a fill run) reach the message queue only
// through ProcessMessages; a quit request met there is noted, not obeyed,
// until the handler returns to Run.
class TApplication {
 public:
  explicit TApplication(HINSTANCE instance) : instance_(instance) {}
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  HINSTANCE Instance() const { return instance_; }
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  // The window whose dialog keys (Tab, Enter on a button) the loop handles.
  void SetMainWindow(HWND window) { mainWindow_ = window; }
  HWND MainWindow() const { return mainWindow_; }

  // Asks the program to end once the running handler returns.
  void Terminate() { PostQuitMessage(0); }
  bool Terminated() const { return terminated_; }

  // Handles every pending message, then returns.
  void ProcessMessages();
  // Runs the message loop until the quit request.
  void Run();

  // The box for an error that escaped a handler.
  void HandleException(const std::exception& error) const;

 private:
  void Dispatch(MSG& message);

  HINSTANCE instance_;
  std::string title_ = kApplicationTitle;
  HWND mainWindow_ = nullptr;  // not owned
  bool terminated_ = false;
};

// The text of an escaped error as the box shows it: a full stop added when
// the last character sorts after one.
std::string ErrorBoxText(const std::string& text);

}  // namespace brimvale
