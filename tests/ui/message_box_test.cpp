#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "engine/UGlobals.h"
#include "engine/platform/UFileSystem.h"
#include "tests/fakes/TFakeFileSystem.h"
#include "tests/support/TBoxCatcher.h"
#include "tests/support/TRecordingSink.h"
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
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN),
            screenHeight = GetSystemMetrics(SM_CYSCREEN);
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

namespace brimvale {
namespace {

// Runs on a fake disk, where the drive's answers can be anything.
class FakeDiskRunTest : public ::testing::Test {
 protected:
  void Run() {
    form_ = std::make_unique<TfrmMain>(app_, disk_);
    ASSERT_TRUE(form_->Create());
    form_->edtDir.SetText("Y:\\fill");
    SendMessageA(form_->btnGo, BM_CLICK, 0, 0);
  }

  TApplication app_{GetModuleHandleA(nullptr)};
  test::TFakeFileSystem disk_;
  test::TRecordingSink sink_;
  std::unique_ptr<TfrmMain> form_;
};

TEST_F(FakeDiskRunTest, UnreadableFreeSpaceIsRefusedInsteadOfHalvingForEver) {
  disk_.clusterQueryOk = false;  // cluster size 1
  disk_.freeQueryOk = false;     // -1 free bytes: -1 free clusters
  Run();
  EXPECT_EQ(sink_.messages, std::vector<std::string>{"Cannot read free space from disk"});
  EXPECT_TRUE(disk_.files.empty());
  EXPECT_TRUE(IsWindowEnabled(form_->btnGo));
}

TEST_F(FakeDiskRunTest, ADriveWhoseFreeSpaceDoesNotShrinkEndsAfterOneFile) {
  disk_.freeBytes = 100 * 4096;  // stays the same however much is written
  Run();
  EXPECT_EQ(sink_.messages, std::vector<std::string>{
                                "The drive's free space did not shrink while writing. Aborting"});
  ASSERT_EQ(disk_.files.size(), 1u);
  EXPECT_EQ(disk_.files.begin()->first, "Y:\\fill\\_filldrive_0000_64.dat");
  EXPECT_EQ(disk_.files.begin()->second.size, 64 * 4096);
  EXPECT_TRUE(IsWindowEnabled(form_->btnGo));
}

// A task line too long for its group box covers the box's right edge; a
// shorter one after it must give the frame back.
TEST_F(FakeDiskRunTest, AShorterTaskLineGivesTheFrameBack) {
  disk_.freeBytes = (std::int64_t{1} << 30) + 128 * 4096;  // 1 GiB, then 128 clusters
  disk_.spaceFollowsWrites = true;
  int reading = 0;
  bool coveredTheFrame = false;
  std::vector<COLORREF> before, after;
  RECT band{};
  const auto pixels = [&] {
    std::vector<COLORREF> colours;
    const HWND box = GetParent(form_->lblTask);
    HDC dc = GetDC(box);
    for (int y = band.top; y < band.bottom; ++y)
      for (int x = band.left; x < band.right; ++x) colours.push_back(GetPixel(dc, x, y));
    ReleaseDC(box, dc);
    return colours;
  };
  form_ = std::make_unique<TfrmMain>(app_, disk_, [&]() -> std::uint32_t {
    ++reading;
    RECT label;
    GetWindowRect(form_->lblTask, &label);
    MapWindowPoints(nullptr, GetParent(form_->lblTask), reinterpret_cast<POINT*>(&label), 2);
    if (reading == 3) coveredTheFrame = label.right > band.right;  // the 1 GiB file's line
    if (reading == 16387) after = pixels();  // the second file's line, painted
    return 5000;
  });
  ASSERT_TRUE(form_->Create());
  form_->Show(SW_SHOWNORMAL);
  form_->edtDir.SetText("Y:\\fill");
  app_.ProcessMessages();
  // The right edge of the box, on the task line's rows, while the line is hidden.
  const HWND box = GetParent(form_->lblTask);
  RECT client, label;
  GetClientRect(box, &client);
  GetWindowRect(form_->lblTask, &label);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&label), 2);
  band = RECT{client.right - 8, label.top, client.right, label.bottom};
  before = pixels();

  SendMessageA(form_->btnGo, BM_CLICK, 0, 0);
  ASSERT_TRUE(sink_.messages.empty());
  ASSERT_EQ(disk_.files.size(), 2u);
  ASSERT_TRUE(coveredTheFrame);
  EXPECT_EQ(after, before);
}

TEST_F(FakeDiskRunTest, ACompleteRunAsksTheDiskOncePerFileNotPerBlock) {
  disk_.freeBytes = 3 * 4096;
  disk_.capacity = 3 * 4096;
  disk_.spaceFollowsWrites = true;
  Run();
  // Two queries a probe: the program's own folder and this one, the start,
  // after each of the two files (2 then 1 cluster), the closing steps.
  EXPECT_EQ(disk_.rootsAsked.size(), 2u * 6);
  EXPECT_TRUE(sink_.messages.empty());
  EXPECT_EQ(disk_.files.size(), 2u);
}

}  // namespace
}  // namespace brimvale
