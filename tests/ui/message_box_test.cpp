#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "UVersion.h"
#include "tests/support/TBoxCatcher.h"
#include "ui/UApplication.h"
#include "ui/UMessageBox.h"

namespace brimvale {
namespace {

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
  // Catches the box only if it is still open after two seconds.
  test::TBoxCatcher watchdog(std::chrono::seconds(2));
  sink.Show("failed to write to file 3. Aborting");
  EXPECT_TRUE(watchdog.boxes.empty()) << "the box waited for the user";
}

}  // namespace
}  // namespace brimvale
