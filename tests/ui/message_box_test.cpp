#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "UVersion.h"
#include "tests/support/TBoxCatcher.h"
#include "ui/UApplication.h"
#include "ui/UMessageBox.h"
#include "ui/UfrmMain.h"

namespace brimvale {
namespace {

void ExpectCentredOnTheScreen(const RECT& bounds) {
  EXPECT_NEAR((bounds.left + bounds.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
  EXPECT_NEAR((bounds.top + bounds.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);
}

TEST(MessageBoxSink, CaptionedWithTheTitleCentredOkOnlyNoIcon) {
  TApplication app(GetModuleHandleA(nullptr));
  TMessageBoxSink sink(app);
  test::TBoxCatcher catcher;
  sink.Show("Disk is already full!");
  ASSERT_EQ(catcher.boxes.size(), 1u);
  const auto& box = catcher.boxes[0];
  EXPECT_EQ(box.caption, BRIMVALE_TITLE);
  EXPECT_EQ(box.text, "Disk is already full!");
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  EXPECT_FALSE(box.hasIcon);
  ExpectCentredOnTheScreen(box.bounds);
}

// A top-level window of another thread while alive: another program's
// window beside the program's.
class TOtherProgram {
 public:
  TOtherProgram() { WaitForSingleObject(FReady, 10000); }
  TOtherProgram(const TOtherProgram&) = delete;
  TOtherProgram& operator=(const TOtherProgram&) = delete;
  ~TOtherProgram() {
    PostThreadMessageA(FThreadId, WM_QUIT, 0, 0);
    WaitForSingleObject(FThread, 10000);
    CloseHandle(FThread);
    CloseHandle(FReady);
  }

 private:
  static DWORD WINAPI Run(LPVOID self) {
    auto* other = static_cast<TOtherProgram*>(self);
    const HWND window =
        CreateWindowExA(0, "Static", "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                        300, 200, nullptr, nullptr, nullptr, nullptr);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // a queue for the quit request
    SetEvent(other->FReady);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    DestroyWindow(window);
    return 0;
  }

  HANDLE FReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD FThreadId = 0;
  HANDLE FThread = CreateThread(nullptr, 0, Run, this, 0, &FThreadId);
};

// Owned by the main window, or by the application window while the main
// window is hidden: no taskbar button of its own, yet centred on the screen
// and modal to the whole program; after OK the activation comes back to the
// program rather than going to the other program.
TEST(MessageBoxSink, OwnedByTheProgramWhichGetsTheActivationBack) {
  TApplication app(GetModuleHandleA(nullptr));
  TfrmMain form(app);
  ASSERT_TRUE(form.Create());
  form.Show(SW_SHOWNORMAL);
  TOtherProgram other;
  TMessageBoxSink sink(app);
  for (const bool minimised : {false, true}) {
    SCOPED_TRACE(minimised ? "minimised" : "shown");
    if (minimised) app.Minimize();
    test::TBoxCatcher catcher;
    sink.Show("Disk is already full!");
    ASSERT_EQ(catcher.boxes.size(), 1u);
    const HWND owner = minimised ? app.Handle() : form.Handle();
    EXPECT_EQ(catcher.boxes[0].owner, owner);
    EXPECT_TRUE(catcher.boxes[0].modal);
    ExpectCentredOnTheScreen(catcher.boxes[0].bounds);
    EXPECT_EQ(GetForegroundWindow(), owner);
    if (!minimised) {
      EXPECT_EQ(GetFocus(), form.btnGo);
    }
  }
}

TEST(MessageBoxSink, ClosesByItselfOnceTheProgramIsEnding) {
  TApplication app(GetModuleHandleA(nullptr));
  TMessageBoxSink sink(app);
  app.Terminate();
  app.ProcessMessages();  // the quit request is noted here, as during a run
  ASSERT_TRUE(app.Terminated());
  // Catches the box only if it is still open after two seconds.
  test::TBoxCatcher watchdog(std::chrono::seconds(2));
  sink.Show("failed to write to file 3. Aborting");
  EXPECT_TRUE(watchdog.boxes.empty()) << "the box waited for the user";
}

}  // namespace
}  // namespace brimvale
