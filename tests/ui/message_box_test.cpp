#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

#include "engine/UGlobals.h"
#include "engine/platform/UFileSystem.h"
#include "tests/support/TBoxCatcher.h"
#include "tests/support/TestDrives.h"
#include "tests/support/UWin32TestTools.h"
#include "ui/UApplication.h"
#include "ui/UControls.h"
#include "ui/UMessageBox.h"
#include "ui/UfrmMain.h"

namespace brimvale {
namespace {

TEST(MessageBoxSink, CaptionedWithTheTitleCentredOkOnlyNoIcon) {
  TApplication app(GetModuleHandleA(nullptr));
  TMessageBoxSink sink(app);
  test::TBoxCatcher catcher;
  sink.Show("Disk is already full!");
  ASSERT_EQ(catcher.boxes.size(), 1u);
  const auto& box = catcher.boxes[0];
  EXPECT_EQ(box.caption, "Brimvale v0.02");
  EXPECT_EQ(box.text, "Disk is already full!");
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  EXPECT_FALSE(box.hasIcon);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR((box.bounds.left + box.bounds.right) / 2, screenWidth / 2, 2);
  EXPECT_NEAR((box.bounds.top + box.bounds.bottom) / 2, screenHeight / 2, 2);
}

TEST(MessageBoxSink, ClosesByItselfOnceTheProgramIsEnding) {
  TApplication app(GetModuleHandleA(nullptr));
  TMessageBoxSink sink(app);
  app.Terminate();
  app.ProcessMessages();  // the quit request is noted here, as during a run
  ASSERT_TRUE(app.Terminated());
  // No catcher: a box that waited for the user would hang this test.
  sink.Show("failed to write to file 3. Aborting");
  SUCCEED();
}

// Throws from the name check, after the run has started.
class TThrowingFileSystem final : public TFileSystem {
 public:
  bool ClusterBytes(const char* root, std::uint32_t& bytes) override {
    return SystemFileSystem().ClusterBytes(root, bytes);
  }
  bool FreeBytesAvailable(const char* root, std::int64_t& bytes) override {
    return SystemFileSystem().FreeBytesAvailable(root, bytes);
  }
  TFileHandle CreateForWrite(const std::string&, bool) override { return kInvalidFileHandle; }
  bool Write(TFileHandle, const void*, std::uint32_t, std::uint32_t&) override { return false; }
  void Flush(TFileHandle) override {}
  bool Close(TFileHandle) override { return false; }
  bool FileExists(const std::string&) override { throw std::runtime_error("The name check broke"); }
};

TEST(MessageBoxSink, AnErrorInARunRestoresTheIdleStateThenShowsTheErrorBox) {
  TApplication app(GetModuleHandleA(nullptr));
  TThrowingFileSystem fileSystem;
  TfrmMain form(app, fileSystem);
  ASSERT_TRUE(form.Create());
  form.Show(SW_SHOWNORMAL);
  form.edtDir.SetText(test::kRunDrive);
  test::EmptyFolder(test::kRunDrive);

  test::TBoxCatcher catcher;
  SendMessageA(form.btnGo, BM_CLICK, 0, 0);
  ASSERT_EQ(catcher.boxes.size(), 1u);
  EXPECT_EQ(catcher.boxes[0].text, "The name check broke.");
  EXPECT_EQ(catcher.boxes[0].caption, "Brimvale v0.02");
  EXPECT_TRUE(catcher.boxes[0].hasIcon);
  EXPECT_TRUE(IsWindowEnabled(form.btnGo));
  EXPECT_FALSE(IsWindowEnabled(form.btnAbort));
  EXPECT_FALSE(IsWindowVisible(form.gauge));
  EXPECT_FALSE(IsWindowVisible(form.lblTask));
  EXPECT_EQ(WindowText(form.lblEstimatedLeft), "...");
}

}  // namespace
}  // namespace brimvale
