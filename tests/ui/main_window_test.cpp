#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "UVersion.h"
#include "engine/UFillRun.h"
#include "engine/UGlobals.h"
#include "engine/platform/UFileSystem.h"
#include "engine/platform/UWin32FileSystem.h"
#include "engine/platform/UWin32Text.h"
#include "tests/fakes/TFakeFileSystem.h"
#include "tests/support/TBoxCatcher.h"
#include "tests/support/TDrivesGuard.h"
#include "tests/support/TRecordingSink.h"
#include "tests/support/TestDrives.h"
#include "tests/support/UWin32TestTools.h"
#include "ui/UApplication.h"
#include "ui/UControls.h"
#include "ui/ULinkColour.h"
#include "ui/UOwners.h"
#include "ui/UScaling.h"
#include "ui/USystemLibraries.h"
#include "ui/UfrmMain.h"

namespace brimvale {
namespace {

using test::kRunDrive;

// The program's start-up: common controls (the progress bar among them).
class TStartUp : public ::testing::Environment {
 public:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    LoadSystemLibraries();
    dll::InitCommonControlsEx(&controls);
  }
};
const auto* const kStartUp = ::testing::AddGlobalTestEnvironment(new TStartUp);
const auto* const kWatchdog = ::testing::AddGlobalTestEnvironment(new test::TBoxWatchdog);
const auto* const kDrivesGuard = ::testing::AddGlobalTestEnvironment(new test::TDrivesGuard);

RECT RectInParent(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AbortRequested = false;
    test::EmptyFolder(kRunDrive);
  }
  void TearDown() override {
    form_.reset();
    test::EmptyFolder(kRunDrive);
    // A quit request left by a test must not reach the next one.
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  // The clock advances `step` ms per reading; `onTick` sees the reading's number (1 = run start).
  void CreateForm(TFileSystem& fileSystem = SystemFileSystem()) {
    form_ = std::make_unique<TfrmMain>(app_, fileSystem, [this] {
      ++ticks_;
      if (onTick_) onTick_(ticks_);
      tick_ += step_;
      return tick_;
    });
    ASSERT_TRUE(form_->Create());
    form_->Show(SW_SHOWNORMAL);
  }

  void Go(const std::string& folder) {
    form_->edtDir.SetText(folder);
    ticks_ = 0;
    SendMessageA(form_->btnGo, BM_CLICK, 0, 0);
  }

  void ExpectIdle() {
    EXPECT_TRUE(IsWindowEnabled(form_->btnGo));
    EXPECT_FALSE(IsWindowEnabled(form_->btnAbort));
    EXPECT_TRUE(IsWindowEnabled(form_->edtDir.Handle()));
    EXPECT_FALSE(IsWindowVisible(form_->gauge));
    EXPECT_FALSE(IsWindowVisible(form_->lblTask));
    EXPECT_EQ(WindowText(form_->lblEstimatedLeft), "...");
  }

  TApplication app_{GetModuleHandleA(nullptr)};
  test::TRecordingSink sink_;
  std::unique_ptr<TfrmMain> form_;
  std::uint32_t tick_ = 5000;
  std::uint32_t step_ = 1;
  int ticks_ = 0;
  std::function<void(int)> onTick_;
};

// The height and weight of the font a window draws with.
LOGFONTA FontOf(HWND window) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

// The text height of the font a window draws with, as the system measures it.
int TextHeightOfFont(HWND window) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return metrics.tmHeight;
}

// The face that serves a window's font.
std::string FaceOf(HWND window) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc, LF_FACESIZE, face);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return face;
}

// How large a text measures in a window's font.
SIZE TextExtentIn(HWND window, const std::string& text) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
  SIZE extent{};
  const std::wstring wide = WideText(text);
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return extent;
}

// Whether this is the child of ScreenWithoutTheLaidOutFace, which must be
// served a substitute face.
bool SubstituteExpected() {
  char value[16] = {};
  return GetEnvironmentVariableA("BRIMVALE_TEST_FACE", value, sizeof value) > 0;
}

// The resolution a child process of ScreenAtOtherResolutions was started
// at, or 0.
int ExpectedDpi() {
  char value[16] = {};
  return GetEnvironmentVariableA("BRIMVALE_TEST_DPI", value, sizeof value) ? atoi(value) : 0;
}

// A child finds the resolution that was set, or, on a system that scales
// programs which do not declare themselves aware of it (Wine 10), 96 dpi
// with fonts made at the resolution set.
void ExpectTheResolutionSet() {
  const int expected = ExpectedDpi();
  if (!expected || ScreenDpi() == expected) return;
  ASSERT_EQ(ScreenDpi(), kLayoutDpi) << "told neither " << expected << " nor 96 dpi";
  TFontOwner font(CreateLayoutFont(-11));
  ASSERT_GT(MeasureFont(font.Get()).TextHeight, kLayoutTextHeight)
      << "told 96 dpi, and fonts are not made at " << expected;
}

TEST_F(MainWindowTest, WindowFontKeepsItsSizeInPoints) {
  ExpectTheResolutionSet();
  const int dpi = ScreenDpi();
  CreateForm();
  // 8 points at the resolution the program is told: -11 pixels at 96 dpi,
  // -14 at 120 (13.75 rounded).
  const struct { int dpi, height; } known[] = {{96, -11}, {120, -14}, {144, -17}, {192, -22}};
  const auto match = std::find_if(std::begin(known), std::end(known),
                                  [dpi](const auto& k) { return k.dpi == dpi; });
  if (match == std::end(known)) GTEST_SKIP() << "no known font height at " << dpi << " dpi";
  EXPECT_EQ(FontOf(form_->Handle()).lfHeight, match->height);
}

TEST_F(MainWindowTest, ControlsFollowTheLayoutTable) {
  ExpectTheResolutionSet();
  CreateForm();
  TfrmMain& f = *form_;
  // The table is in pixels of a font 13 pixels high, where nothing is
  // scaled; a taller font scales everything by its text height.
  const int measured = TextHeightOfFont(f.Handle());
  ASSERT_GT(measured, 0);
  RecordProperty("MeasuredTextHeight", measured);
  const auto scaled = [measured](int value) {
    return measured <= kLayoutTextHeight ? value : MulDiv(value, measured, kLayoutTextHeight);
  };
  // Labels size themselves to their text. With the laid-out face at 96 dpi
  // those whose text the table was measured from come out at the table's
  // own size; the others (links, the product's name, the probe's figures) at
  // their text's, whatever it measures.
  enum TSizing { kFixed, kLaidOutText, kOwnText };
  struct TRow {
    const char* name;
    HWND control;
    const char* windowClass;
    HWND parent;
    const char* text;  // nullptr: not checked
    int left, top, width, height;
    TSizing sizing;
    bool bold, enabled, visible;
  };
  const HWND window = f.Handle();
  const TRow rows[] = {
      {"GroupBox3", f.GroupBox3, "Button", window, " Help", 4, 4, 400, 105, kFixed, false, true,
       true},
      {"Label1", f.Label1, "Static", f.GroupBox3, nullptr, 8, 16, 385, 45, kFixed, false, true,
       true},
      // Laid out 55 x 15, but its text is 13 high, like every other label's.
      {"Label8", f.Label8, "Static", f.GroupBox3, "Homepage:", 40, 66, 55, 13, kLaidOutText, false,
       true, true},
      {"lblURL", f.lblURL, "Static", f.GroupBox3, "http://www.tavor-software.example/", 116, 66, 0,
       0, kOwnText, false, true, true},
      {"Label9", f.Label9, "Static", f.GroupBox3, "Brimvale's page:", 40, 82, 0, 0, kOwnText, false,
       true, true},
      {"lblURL2", f.lblURL2, "Static", f.GroupBox3,
       "http://www.tavor-software.example/utilities/brimvale.jsp", 116, 82, 0, 0, kOwnText, false,
       true, true},
      {"GroupBox2", f.GroupBox2, "Button", window, " Program Options ", 4, 112, 400, 89, kFixed,
       false, true, true},
      {"Label2", f.Label2, "Static", f.GroupBox2, "Folder to generate files in:", 8, 20, 121, 13,
       kLaidOutText, false, true, true},
      {"edtDir", f.edtDir.Handle(), "Edit", f.GroupBox2, nullptr, 8, 36, 381, 21, kFixed, false,
       true, true},
      {"chkWriteThrough", f.chkWriteThrough, "Button", f.GroupBox2,
       "No OS optimisation (writes directly to disk - slow)", 8, 64, 261, 17, kFixed, false, true,
       true},
      {"GroupBox1", f.GroupBox1, "Button", window, " Disk Attributes ", 4, 208, 400, 57, kFixed,
       false, true, true},
      {"Label3", f.Label3, "Static", f.GroupBox1, "Cluster size:", 8, 16, 56, 13, kLaidOutText,
       false, true, true},
      {"lblClusterSize", f.lblClusterSize, "Static", f.GroupBox1, nullptr, 76, 16, 0, 0, kOwnText,
       true, true, true},
      {"Label6", f.Label6, "Static", f.GroupBox1, "Free Clusters:", 8, 36, 64, 13, kLaidOutText,
       false, true, true},
      {"lblFreeClusters", f.lblFreeClusters, "Static", f.GroupBox1, nullptr, 76, 36, 0, 0, kOwnText,
       true, true, true},
      {"btnAbort", f.btnAbort, "Button", window, "Abort", 204, 272, 75, 29, kFixed, false, false,
       true},
      {"btnGo", f.btnGo, "Button", window, "Go", 284, 272, 119, 29, kFixed, false, true, true},
      {"GroupBox4", f.GroupBox4, "Button", window, " Progress ", 4, 304, 400, 97, kFixed, false,
       true, true},
      {"Label5", f.Label5, "Static", f.GroupBox4, "Time Taken:", 8, 16, 60, 13, kLaidOutText, false,
       true, true},
      {"lblTimeTaken", f.lblTimeTaken, "Static", f.GroupBox4, "...", 108, 16, 13, 13, kLaidOutText,
       true, true, true},
      {"Label4", f.Label4, "Static", f.GroupBox4, "Estimated Time Left:", 8, 36, 96, 13,
       kLaidOutText, false, true, true},
      {"lblEstimatedLeft", f.lblEstimatedLeft, "Static", f.GroupBox4, "...", 108, 36, 13, 13,
       kLaidOutText, true, true, true},
      {"lblTask", f.lblTask, "Static", f.GroupBox4, "...", 8, 56, 9, 13, kLaidOutText, false, true,
       false},
      {"gauge", f.gauge, "msctls_progress32", f.GroupBox4, nullptr, 4, 72, 392, 17, kFixed, false,
       true, false},
  };
  const bool laidOutFace = measured == kLayoutTextHeight && FaceOf(window) == kLayoutFace;
  const int captionColumn = RectInParent(f.Label8).left;  // checked below
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_NE(row.control, nullptr);
    EXPECT_EQ(ClassOf(row.control), row.windowClass);
    EXPECT_EQ(GetParent(row.control), row.parent);
    if (row.text) {
      EXPECT_EQ(WindowText(row.control), row.text);
    }
    const RECT r = RectInParent(row.control);
    const bool caption = row.control == f.Label8 || row.control == f.Label9;
    EXPECT_EQ(r.left, caption ? captionColumn : scaled(row.left));
    EXPECT_EQ(r.top, scaled(row.top));
    if (row.sizing == kFixed || (row.sizing == kLaidOutText && laidOutFace)) {
      EXPECT_EQ(r.right - r.left, scaled(row.width));
      EXPECT_EQ(r.bottom - r.top, scaled(row.height));
    } else {
      // Sized to its text: as high, and as wide up to a bold face's overhang.
      const SIZE extent = TextExtentIn(row.control, WindowText(row.control));
      EXPECT_EQ(r.bottom - r.top, extent.cy);
      EXPECT_GE(r.right - r.left, extent.cx);
      EXPECT_LE(r.right - r.left, extent.cx + 1);
    }
    const LOGFONTA font = FontOf(row.control);
    EXPECT_EQ(font.lfHeight, scaled(-11));
    EXPECT_EQ(font.lfWeight, row.bold ? FW_BOLD : FW_NORMAL);
    EXPECT_EQ(IsWindowEnabled(row.control) != FALSE, row.enabled);
    EXPECT_EQ((GetWindowLongA(row.control, GWL_STYLE) & WS_VISIBLE) != 0, row.visible);
  }

  // No caption under its link: the column moves left, inside the group, only
  // as far as the wider caption needs to end the laid-out gap before it.
  const int gap = std::min(RectInParent(f.lblURL).left - RectInParent(f.Label8).right,
                           RectInParent(f.lblURL2).left - RectInParent(f.Label9).right);
  EXPECT_EQ(gap, captionColumn != scaled(40) ? scaled(6) : std::max(gap, scaled(6)));
  EXPECT_GE(captionColumn, scaled(8));  // the group's margin, where the help text starts
  EXPECT_LT(RectInParent(f.lblURL2).right, scaled(400) - 2 * GetSystemMetrics(SM_CXEDGE));

  // Whatever frame is drawn, also once a change of it is announced: a
  // caption 12 pixels taller, then the old one with a theme change.
  for (const auto& [growth, announcement] :
       {std::pair<int, UINT>{0, WM_NULL}, {12, WM_SETTINGCHANGE}, {-12, WM_THEMECHANGED}}) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.iCaptionHeight += growth;
    SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(window, announcement, SPI_SETNONCLIENTMETRICS, 0);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, scaled(410)) << growth;
    EXPECT_EQ(client.bottom, scaled(408)) << growth;
  }
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_EQ(SendMessageA(f.gauge, PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_EQ(SendMessageA(f.chkWriteThrough, BM_GETCHECK, 0, 0), BST_UNCHECKED);

  // Each label stands right before the control it names: screen readers
  // name a control after it. The field's button is a standard button.
  const std::pair<HWND, HWND> named[] = {
      {f.Label8, f.lblURL},           {f.Label9, f.lblURL2},         {f.Label2, f.edtDir.Handle()},
      {f.Label3, f.lblClusterSize},   {f.Label6, f.lblFreeClusters}, {f.Label5, f.lblTimeTaken},
      {f.Label4, f.lblEstimatedLeft},
  };
  for (const auto& [label, control] : named)
    EXPECT_EQ(GetWindow(label, GW_HWNDNEXT), control) << WindowText(label);
  EXPECT_EQ(ClassOf(f.edtDir.ButtonHandle()), "Button");
  EXPECT_EQ(WindowText(f.edtDir.ButtonHandle()), "Browse");

  // Tab order: Go, Abort, the folder field, the check box, and round again.
  EnableWindow(f.btnAbort, TRUE);
  std::vector<HWND> cycle{f.btnGo};
  for (int i = 0; i < 4; ++i) cycle.push_back(GetNextDlgTabItem(window, cycle.back(), FALSE));
  EXPECT_EQ(cycle, (std::vector<HWND>{f.btnGo, f.btnAbort, f.edtDir.Handle(), f.chkWriteThrough,
                                      f.btnGo}));
}

// In a black high-contrast scheme, set as a test can (Wine never reports
// high contrast itself), and in the default one after it: the links read on
// their background, and in the default scheme they are pure blue.
TEST_F(MainWindowTest, TheLinksReadInEverySchemeAndArePureBlueInTheDefault) {
  CreateForm();
  const int elements[] = {COLOR_BTNFACE, COLOR_WINDOWTEXT, COLOR_GRAYTEXT, COLOR_HOTLIGHT};
  COLORREF defaults[std::size(elements)];
  for (std::size_t i = 0; i < std::size(elements); ++i) defaults[i] = GetSysColor(elements[i]);
  const COLORREF black[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 255, 0), RGB(255, 255, 0)};
  EXPECT_NEAR(ContrastRatio(RGB(0, 0, 255), RGB(0, 0, 0)), 2.44, 0.01);  // blue on black
  for (const COLORREF* scheme : {black, static_cast<const COLORREF*>(defaults)}) {
    SetSysColors(static_cast<int>(std::size(elements)), elements, scheme);
    SendMessageA(form_->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    for (const HWND link : {form_->lblURL, form_->lblURL2}) {
      const TMemoryDC dc;
      LOGBRUSH background{};
      GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(GetParent(link), WM_CTLCOLORSTATIC,
                                                        reinterpret_cast<WPARAM>(dc.Get()),
                                                        reinterpret_cast<LPARAM>(link))),
                 sizeof background, &background);
      EXPECT_EQ(background.lbColor, scheme[0]);
      EXPECT_GE(ContrastRatio(GetTextColor(dc.Get()), background.lbColor), kReadableContrast);
      if (scheme == defaults) {
        EXPECT_EQ(GetTextColor(dc.Get()), RGB(0, 0, 255));
      }
    }
  }
}

// With the laid-out face, and in a Wine without it (the child of
// ScreenWithoutTheLaidOutFace): a substitute does not shrink the window, and
// the help text fits its box, no line running into the box's right edge.
TEST_F(MainWindowTest, TheHelpTextFitsItsBoxWhicheverFaceServesIt) {
  if (ScreenDpi() != kLayoutDpi) GTEST_SKIP() << "laid out for 96 dpi";
  CreateForm();
  TfrmMain& f = *form_;
  if (SubstituteExpected()) {
    // Wine 10 serves its own faces from its data folder too, whatever the
    // prefix holds.
    if (FaceOf(f.Handle()) == kLayoutFace)
      GTEST_SKIP() << "the laid-out face cannot be hidden here";
  } else {
    ASSERT_EQ(FaceOf(f.Handle()), kLayoutFace);
  }
  RECT client, help;
  GetClientRect(f.Handle(), &client);
  EXPECT_EQ(client.right, 410);
  EXPECT_EQ(client.bottom, 408);
  GetClientRect(f.Label1, &help);
  EXPECT_EQ(help.right, 385);
  EXPECT_EQ(help.bottom, 45);

  HDC dc = GetDC(f.Label1);
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(f.Label1, WM_GETFONT, 0, 0)));
  RECT needed{0, 0, help.right, 0};
  const std::string text = WindowText(f.Label1);
  DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(f.Label1, dc);
  EXPECT_LE(needed.bottom, help.bottom) << "the wrapped text is higher than its box";

  // What the label painted: its last column is background only.
  app_.ProcessMessages();
  UpdateWindow(f.Handle());
  dc = GetDC(f.Label1);
  const COLORREF background = GetPixel(dc, help.right - 1, help.bottom - 1);
  int ink = 0;
  for (int y = 0; y < help.bottom; ++y)
    if (GetPixel(dc, help.right - 1, y) != background) ++ink;
  ReleaseDC(f.Label1, dc);
  EXPECT_EQ(ink, 0) << "a line runs into the box's right edge";
}

TEST_F(MainWindowTest, StartsWithTheProgramsFolderAndItsDrive) {
  // The program's drive answers as one with 10 GiB free on 4 KiB clusters.
  test::TFakeFileSystem drive;
  drive.freeBytes = 10737418240;
  form_ = std::make_unique<TfrmMain>(app_, drive);
  ASSERT_TRUE(form_->Create());
  form_->Show(SW_SHOWNORMAL);
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.erase(folder.find_last_of('\\') + 1);
  EXPECT_EQ(form_->edtDir.Text(), folder);
  EXPECT_EQ(WindowText(form_->Handle()).rfind(BRIMVALE_TITLE " ", 0), 0u);
  EXPECT_EQ(app_.Title(), BRIMVALE_TITLE);
  ASSERT_FALSE(drive.rootsAsked.empty());
  EXPECT_EQ(drive.rootsAsked.front(), folder.substr(0, 3));
  EXPECT_EQ(WindowText(form_->lblClusterSize), "4096 bytes");
  EXPECT_EQ(WindowText(form_->lblFreeClusters), "10,485,760k, 2,621,440 clusters");
  EXPECT_EQ(WindowText(form_->lblTimeTaken), "...");
  ExpectIdle();
  EXPECT_EQ(GetFocus(), form_->btnGo);
  form_.reset();  // before the drive it asks
}

// The taskbar button is the application window's: it is captioned with the
// title and owns the main window, which so has none of its own; it never
// shows as a window on screen.
TEST_F(MainWindowTest, TheApplicationWindowCarriesTheTaskbarButton) {
  CreateForm();
  const HWND application = GetWindow(form_->Handle(), GW_OWNER);
  ASSERT_NE(application, nullptr);
  EXPECT_EQ(application, app_.Handle());
  EXPECT_EQ(ClassOf(application), "TApplication");
  EXPECT_EQ(WindowText(application), BRIMVALE_TITLE);
  EXPECT_EQ(GetWindow(application, GW_OWNER), nullptr);
  EXPECT_TRUE(IsWindowVisible(application));
  EXPECT_FALSE(GetWindowLongA(application, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  RECT bounds;
  GetWindowRect(application, &bounds);
  EXPECT_TRUE(IsRectEmpty(&bounds));
  EXPECT_FALSE(GetWindowLongA(form_->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
  // The button shows the main window's icon, large and small.
  const ULONG_PTR icon = GetClassLongPtrA(form_->Handle(), GCLP_HICON);
  ASSERT_NE(icon, 0u);
  EXPECT_EQ(GetClassLongPtrA(application, GCLP_HICON), icon);
  EXPECT_NE(GetClassLongPtrA(application, GCLP_HICONSM), 0u);
}

// Minimised, the program is its taskbar button alone; restored, the window
// is back as it was, and a run goes on meanwhile.
TEST_F(MainWindowTest, MinimisingGoesToTheTaskbarButtonAndRestoringBringsTheWindowBack) {
  CreateForm();
  const HWND window = form_->Handle();
  const HWND application = app_.Handle();
  RECT before;
  GetWindowRect(window, &before);
  const auto minimised = [&] {
    return IsIconic(application) && !IsWindowVisible(window) && !IsIconic(window);
  };
  const auto restored = [&] {
    RECT now;
    GetWindowRect(window, &now);
    return !IsIconic(application) && IsWindowVisible(window) && !IsIconic(window) &&
           EqualRect(&now, &before);
  };

  SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(minimised());
  SendMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(restored());
  EXPECT_EQ(GetActiveWindow(), window);

  bool minimisedDuringRun = false;
  HWND focusAfterRestore = nullptr;
  onTick_ = [&](int reading) {
    if (reading == 3) PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (reading == 20) minimisedDuringRun = minimised();
    if (reading == 21) PostMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
    if (reading == 22) focusAfterRestore = GetFocus();
  };
  Go(kRunDrive);
  EXPECT_TRUE(minimisedDuringRun);
  EXPECT_EQ(focusAfterRestore, form_->Handle());  // where it was: Tab reaches Abort from there
  EXPECT_TRUE(restored());
  EXPECT_TRUE(sink_.messages.empty());
  EXPECT_EQ(test::FilesIn(kRunDrive).size(), 6u);
  EXPECT_EQ(form_->FreeClusters(), 0);
  ExpectIdle();

  // Activated through the taskbar button, the focus goes where it was.
  SetFocus(form_->chkWriteThrough);
  SetForegroundWindow(application);
  EXPECT_EQ(GetFocus(), form_->chkWriteThrough);
}

// The error mode at each call that can meet a drive without its medium.
std::vector<UINT> gModes;
const TWin32FileSystem::TSystemCalls gSystemCalls = TWin32FileSystem::SystemCalls();
template <auto Call, class TResult, class... TArgs>
TResult WINAPI Noted(TArgs... args) {
  gModes.push_back(SetErrorMode(0));
  SetErrorMode(gModes.back());
  return (gSystemCalls.*Call)(args...);
}

// Through the system's own calls, with its critical-error box off: the box
// would hold a run with a question the program never sees. The application
// turns it off for the whole process, whatever mode the process had. In a
// folder of any name, set, dropped or typed, with any thousands separator:
// the program's text is UTF-8, as the manifest asks.
TEST_F(MainWindowTest, TheWorkedExampleFillsTheDriveExactly) {
  ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
  struct TCase {
    std::string_view how;
    std::string folder;
    const wchar_t* separator;
  };
  const std::string root = kRunDrive;
  const TCase cases[] = {
      {"set", root, L","},
      {"set", root + "\xD0\x94\xD0\xBE\xD0\xBC", L"\u00A0"},      // Дом, Russian
      {"dropped", root + "\xE4\xB8\xAD\xE6\x96\x87", L"\u202F"},  // 中文, French
      {"typed", root + "\xF0\x9F\x98\x80", L"'"},                 // an emoji, Swiss German
  };
  // Labels fit their text exactly, as it measures wide.
  const auto expectFits = [](HWND label) {
    RECT bounds;
    GetWindowRect(label, &bounds);
    const LONG text = TextExtentIn(label, WindowText(label)).cx;
    EXPECT_GE(bounds.right - bounds.left, text) << WindowText(label);
    EXPECT_LE(bounds.right - bounds.left, text + 1) << WindowText(label);
  };
  const struct TSeparatorBack {
    ~TSeparatorBack() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, L","); }
  } separatorBack;
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.how) + " " + c.folder);
    test::EmptyFolder(kRunDrive);
    ASSERT_TRUE(c.folder == root || CreateDirectoryA(c.folder.c_str(), nullptr));
    ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, c.separator));
    const std::string separator = ProcessText(c.separator);
    using TCalls = TWin32FileSystem::TSystemCalls;
    SetErrorMode(SEM_NOGPFAULTERRORBOX);
    const TApplication startingProgram(GetModuleHandleA(nullptr));
    TWin32FileSystem disk(TCalls{Noted<&TCalls::clusters>, Noted<&TCalls::freeSpace>,
                                 Noted<&TCalls::attributes>, Noted<&TCalls::createFile>});
    gModes.clear();
    form_.reset();
    CreateForm(disk);
    const HWND field = form_->edtDir.Handle();
    if (c.how == "dropped") {
      SendMessageA(field, WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({c.folder})), 0);
    } else if (c.how == "typed") {
      form_->edtDir.SetText("");
      for (const wchar_t key : WideText(c.folder)) SendMessageW(field, WM_CHAR, key, 1);
    } else {
      form_->edtDir.SetText(c.folder);
    }
    ASSERT_EQ(form_->edtDir.Text(), c.folder);
    EXPECT_EQ(WindowText(form_->lblFreeClusters),
              "4" + separator + "000k, 1" + separator + "000 clusters");
    expectFits(form_->lblFreeClusters);
    ticks_ = 0;
    SendMessageA(form_->btnGo, BM_CLICK, 0, 0);
    EXPECT_GE(gModes.size(), 4u * 6);
    for (const UINT mode : gModes)
      ASSERT_EQ(mode, static_cast<UINT>(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS));
    EXPECT_TRUE(sink_.messages.empty());
    const std::vector<std::string> expected = {"_filldrive_0000_512.dat", "_filldrive_0001_256.dat",
                                               "_filldrive_0002_128.dat", "_filldrive_0003_64.dat",
                                               "_filldrive_0004_32.dat",  "_filldrive_0005_8.dat"};
    EXPECT_EQ(test::FilesIn(c.folder), expected);
    EXPECT_TRUE(c.folder == root || test::FilesIn(root).empty());
    const long long sizes[] = {2097152, 1048576, 524288, 262144, 131072, 32768};
    for (std::size_t i = 0; i < expected.size(); ++i) {
      long long size = 0;
      EXPECT_TRUE(test::AllZero(FillFilePath(c.folder, expected[i]), size)) << expected[i];
      EXPECT_EQ(size, sizes[i]) << expected[i];
    }
    EXPECT_EQ(form_->FreeClusters(), 0);
    EXPECT_EQ(WindowText(form_->lblFreeClusters), "0k, 0 clusters");
    EXPECT_EQ(WindowText(form_->lblTask),
              "Writing file \"_filldrive_0005_8.dat\", 8 clusters, 32" + separator + "768 bytes");
    ExpectIdle();
    EXPECT_NE(WindowText(form_->lblTimeTaken), "...");
    // Shorter captions than the run's first: the labels fit their text again.
    expectFits(form_->lblFreeClusters);
    expectFits(form_->lblTask);
  }
}

TEST_F(MainWindowTest, AbortDuringTheFirstFileLeavesWholeBlocks) {
  CreateForm();
  // Reading 4 is the progress report after block 3: Abort is pressed then.
  onTick_ = [this](int reading) {
    if (reading == 4) PostMessageA(form_->btnAbort, BM_CLICK, 0, 0);
  };
  Go(kRunDrive);
  EXPECT_TRUE(sink_.messages.empty());
  EXPECT_EQ(test::FilesIn(kRunDrive), std::vector<std::string>{"_filldrive_0000_512.dat"});
  long long size = 0;
  EXPECT_TRUE(test::AllZero(std::string(kRunDrive) + "_filldrive_0000_512.dat", size));
  EXPECT_EQ(size, 3 * 65536);
  ExpectIdle();
}

// A key as the keyboard delivers it at this moment: to the window with the
// focus or, when none has it, to the active window as a system key.
void PostKey(UINT message, WPARAM key) {
  const HWND focus = GetFocus();
  PostMessageA(focus ? focus : GetActiveWindow(),
               focus ? message : message + (WM_SYSKEYDOWN - WM_KEYDOWN), key,
               message == WM_KEYUP ? 0xC0000001 : 1);
}

// Tab reaches Abort once a run has started from the keyboard, and Space
// presses it; the key that started the run, held down (Enter repeats) or
// pressed again, does not. The program's own loop handles every key.
TEST_F(MainWindowTest, TheKeyboardStartsARunAndAbortsIt) {
  CreateForm();
  form_->edtDir.SetText(kRunDrive);
  for (const WPARAM start : {WPARAM{VK_RETURN}, WPARAM{VK_SPACE}}) {
    SCOPED_TRACE(start == VK_RETURN ? "Enter held down" : "Space pressed twice");
    test::EmptyFolder(kRunDrive);
    // One a report, from the report after the first block on.
    const std::pair<UINT, WPARAM> keys[] = {{WM_KEYDOWN, start},    {WM_KEYUP, start},
                                            {WM_KEYDOWN, VK_TAB},   {WM_KEYUP, VK_TAB},
                                            {WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, VK_SPACE}};
    ticks_ = 0;
    onTick_ = [&](int reading) {
      if (reading >= 2 && reading < 8) PostKey(keys[reading - 2].first, keys[reading - 2].second);
    };
    PostKey(WM_KEYDOWN, start);  // Enter starts the run as it goes down, Space as it comes up
    if (start == VK_SPACE) PostKey(WM_KEYUP, start);
    app_.ProcessMessages();
    long long size = 0;
    EXPECT_EQ(test::FilesIn(kRunDrive), std::vector<std::string>{"_filldrive_0000_512.dat"});
    EXPECT_TRUE(test::AllZero(std::string(kRunDrive) + "_filldrive_0000_512.dat", size));
    EXPECT_EQ(size, 6 * 65536);  // the Space on Abort came with the report after block 6
    EXPECT_EQ(GetFocus(), form_->btnGo);
    ExpectIdle();
  }
}

TEST_F(MainWindowTest, FirstBlockShowsTheBarAndTheEstimate) {
  step_ = 0;
  CreateForm();
  std::string estimate, taken;
  LRESULT position = -1;
  onTick_ = [&](int reading) {
    if (reading == 2) tick_ += 50;  // the first block took 50 ms
    if (reading == 3) {             // what the first report left on screen
      estimate = WindowText(form_->lblEstimatedLeft);
      taken = WindowText(form_->lblTimeTaken);
      position = SendMessageA(form_->gauge, PBM_GETPOS, 0, 0);
      EXPECT_TRUE(IsWindowVisible(form_->gauge));
      EXPECT_FALSE(IsWindowEnabled(form_->btnGo));
      EXPECT_TRUE(IsWindowEnabled(form_->btnAbort));
      EXPECT_FALSE(IsWindowEnabled(form_->edtDir.Handle()));
    }
  };
  Go(kRunDrive);
  EXPECT_EQ(position, 2);
  EXPECT_EQ(estimate, "00:03");
  EXPECT_EQ(taken, "00:00");
}

// While the rate settles, the estimate jumps back and forth across whole
// seconds; the label follows it in step with the time taken, once a second.
TEST_F(MainWindowTest, TimeLeftChangesOnlyWhenTheTimeTakenDoes) {
  step_ = 0;
  CreateForm();
  std::string taken, left;
  int leftChanges = 0, leftChangesAlone = 0;
  onTick_ = [&](int reading) {
    tick_ += reading % 2 ? 190 : 10;  // an uneven rate: the estimate jitters
    if (reading < 3) return;          // what the report before this one left
    const std::string nowTaken = WindowText(form_->lblTimeTaken);
    const std::string nowLeft = WindowText(form_->lblEstimatedLeft);
    if (reading > 3 && nowLeft != left) {
      ++leftChanges;
      if (nowTaken == taken) ++leftChangesAlone;
    }
    taken = nowTaken;
    left = nowLeft;
  };
  Go(kRunDrive);
  EXPECT_TRUE(sink_.messages.empty());
  EXPECT_EQ(leftChangesAlone, 0);
  EXPECT_GE(leftChanges, 2);  // still refreshed as the seconds pass
}

// A caption that gets shorter leaves no trace of the longer one beside it.
TEST_F(MainWindowTest, AShorterCaptionLeavesNoGhost) {
  CreateForm();
  const HWND label = form_->lblEstimatedLeft;
  RECT wide{};
  step_ = 0;
  onTick_ = [&](int reading) {
    if (reading == 2) tick_ += 3000;                // the first block took 3 s
    if (reading == 3) GetWindowRect(label, &wide);  // "03:04" left
  };
  Go(kRunDrive);
  app_.ProcessMessages();
  ASSERT_EQ(WindowText(label), "...");
  RECT narrow;
  GetWindowRect(label, &narrow);
  ASSERT_LT(narrow.right, wide.right);

  // The strip the label gave up must look like the empty group box beside it.
  const HWND parent = GetParent(label);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&wide), 2);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&narrow), 2);
  HDC dc = GetDC(parent);
  const COLORREF background = GetPixel(dc, wide.right + 20, (wide.top + wide.bottom) / 2);
  int foreign = 0;
  for (int x = narrow.right; x < wide.right; ++x)
    for (int y = wide.top; y < wide.bottom; ++y)
      if (GetPixel(dc, x, y) != background) ++foreign;
  ReleaseDC(parent, dc);
  EXPECT_EQ(foreign, 0);
}

// The window remembers what its progress controls show; a run's closing
// steps change the time-left label behind that memory's back.
TEST_F(MainWindowTest, ASecondRunShowsItsFirstReportAgain) {
  step_ = 0;  // every report: 00:00 taken, 00:00 left
  CreateForm();
  Go(kRunDrive);
  ASSERT_EQ(WindowText(form_->lblEstimatedLeft), "...");
  ASSERT_EQ(WindowText(form_->lblTimeTaken), "00:00");
  test::EmptyFolder(kRunDrive);
  std::string estimate;
  LRESULT position = -1;
  onTick_ = [&](int reading) {
    if (reading == 3) {
      estimate = WindowText(form_->lblEstimatedLeft);
      position = SendMessageA(form_->gauge, PBM_GETPOS, 0, 0);
    }
  };
  Go(kRunDrive);
  EXPECT_EQ(estimate, "00:00");
  EXPECT_EQ(position, 2);
  EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(MainWindowTest, ATickCounterThatWrapsStillGivesTheElapsedTime) {
  tick_ = 0xFFFFFFFFu - 30000;  // wraps 30 s into the run
  step_ = 1000;
  CreateForm();
  Go(kRunDrive);
  // 63 readings after the start, a second each, across the wrap.
  EXPECT_EQ(WindowText(form_->lblTimeTaken), "01:03");
}

TEST_F(MainWindowTest, ClosingDuringARunLetsItFinishThenEnds) {
  CreateForm();
  onTick_ = [this](int reading) {
    if (reading == 2) PostMessageA(form_->Handle(), WM_CLOSE, 0, 0);
  };
  Go(kRunDrive);
  EXPECT_TRUE(app_.Terminated());
  EXPECT_TRUE(IsWindow(form_->Handle()));
  EXPECT_EQ(test::FilesIn(kRunDrive).size(), 6u);
  EXPECT_EQ(form_->FreeClusters(), 0);
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
  TFileHandle CreateNew(const std::string&, bool, bool&) override { return kInvalidFileHandle; }
  bool Write(TFileHandle, const void*, std::uint32_t, std::uint32_t&) override { return false; }
  void Flush(TFileHandle) override {}
  bool Close(TFileHandle) override { return false; }
  bool FileExists(const std::string&) override { throw std::runtime_error("The name check broke"); }
};

TEST(MainWindowRun, AnErrorInARunRestoresTheIdleStateThenShowsTheErrorBox) {
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
  EXPECT_EQ(catcher.boxes[0].caption, BRIMVALE_TITLE);
  EXPECT_TRUE(catcher.boxes[0].hasIcon);
  EXPECT_EQ(catcher.boxes[0].owner, form.Handle());
  EXPECT_TRUE(catcher.boxes[0].modal);
  EXPECT_TRUE(IsWindowEnabled(form.btnGo));
  EXPECT_FALSE(IsWindowEnabled(form.btnAbort));
  EXPECT_FALSE(IsWindowVisible(form.gauge));
  EXPECT_FALSE(IsWindowVisible(form.lblTask));
  EXPECT_EQ(WindowText(form.lblEstimatedLeft), "...");
}

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

// A task line too long for its group box covers the box's right edge; a
// shorter one after it must give the frame back. The longest line there is:
// 512-byte clusters (a 2,097,152-cluster file) and a five-digit number.
TEST_F(FakeDiskRunTest, AShorterTaskLineGivesTheFrameBack) {
  disk_.clusterBytes = 512;
  disk_.freeBytes = (std::int64_t{1} << 30) + 1024 * 512;  // 1 GiB, then 1,024 clusters
  disk_.spaceFollowsWrites = true;
  for (int number = 0; number < 10000; ++number)
    disk_.existing.insert("Y:\\fill\\" + FillFileName(number, 2097152));
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

// The value of one attribute of the first `element` in an XML text, or "".
std::string XmlAttribute(const std::string& xml, const std::string& element,
                         const std::string& name) {
  const std::size_t start = xml.find("<" + element + " ");
  if (start == std::string::npos) return {};
  const std::string tag = xml.substr(start, xml.find('>', start) - start);
  const std::size_t at = tag.find(" " + name + "=\"");
  if (at == std::string::npos) return {};
  const std::size_t value = at + name.size() + 3;
  return tag.substr(value, tag.find('"', value) - value);
}

// The resolution every new process of this Wine prefix (or Windows user)
// starts with; the old value comes back when this goes.
class TLogPixels {
 public:
  TLogPixels() {
    RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                    KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
    DWORD size = sizeof old_;
    had_ = key_ && RegQueryValueExA(key_, "LogPixels", nullptr, nullptr,
                                    reinterpret_cast<BYTE*>(&old_), &size) == ERROR_SUCCESS;
  }
  TLogPixels(const TLogPixels&) = delete;
  TLogPixels& operator=(const TLogPixels&) = delete;
  ~TLogPixels() {
    if (!key_) return;
    if (had_) {
      Set(old_);
    } else {
      RegDeleteValueA(key_, "LogPixels");
    }
    RegCloseKey(key_);
  }
  bool Set(DWORD dpi) {
    return key_ && RegSetValueExA(key_, "LogPixels", 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) == ERROR_SUCCESS;
  }

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool had_ = false;
};

// This test program run again as a child, with `filter`, and with
// `variable` set to `value` for it; fails unless its XML report says that
// `expectedTests` ran and passed. A child may skip its tests (all of them)
// only where `skipped` takes the answer. The caller holds what the child
// must find for as long as it runs.
void RunChild(const std::string& filter, const char* variable, const char* value, int expectedTests,
              bool* skipped = nullptr) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  char tempFolder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, tempFolder);
  const std::string report = std::string(tempFolder) + "brimvale_ui_tests_child.xml";
  DeleteFileA(report.c_str());
  std::string commandLine =
      std::string("\"") + exe + "\" --gtest_filter=" + filter + " --gtest_output=xml:" + report;

  PROCESS_INFORMATION child{};
  SetEnvironmentVariableA(variable, value);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &child);
  SetEnvironmentVariableA(variable, nullptr);
  ASSERT_TRUE(started);
  const DWORD waited = WaitForSingleObject(child.hProcess, 120000);
  if (waited != WAIT_OBJECT_0) {
    TerminateProcess(child.hProcess, 1);
    WaitForSingleObject(child.hProcess, INFINITE);
  }
  EXPECT_EQ(waited, WAIT_OBJECT_0) << "the child did not end in time";
  DWORD exitCode = 1;
  GetExitCodeProcess(child.hProcess, &exitCode);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  EXPECT_EQ(exitCode, 0u) << "the child's failures are in the output above";

  // An exit code of 0 also comes from a filter that matches nothing, or
  // from tests that skipped themselves: the report says what ran.
  std::ifstream file(report);
  std::stringstream read;
  read << file.rdbuf();
  file.close();
  DeleteFileA(report.c_str());
  const std::string xml = read.str();
  EXPECT_EQ(XmlAttribute(xml, "testsuites", "tests"), std::to_string(expectedTests)) << xml;
  EXPECT_EQ(XmlAttribute(xml, "testsuites", "failures"), "0") << xml;
  EXPECT_EQ(XmlAttribute(xml, "testsuites", "errors"), "0") << xml;
  const bool skips = xml.find("result=\"skipped\"") != std::string::npos;
  if (skipped) {
    *skipped = skips;
  } else {
    EXPECT_FALSE(skips) << xml;
  }
}

// The resolution is read once per process, so the window's tests run again
// in a child process started at each resolution. A child must not see the
// resolution change while it runs, so the old value comes back only
// afterwards.
TEST(ScreenAtOtherResolutions, FontAndLayoutGrowWithTheFontsTextHeight) {
  if (ExpectedDpi()) GTEST_SKIP() << "this is the child process";
  for (const int dpi : {120, 144, 192}) {
    SCOPED_TRACE(dpi);
    TLogPixels logPixels;
    ASSERT_TRUE(logPixels.Set(static_cast<DWORD>(dpi)));
    RunChild(
        "MainWindowTest.WindowFontKeepsItsSizeInPoints:MainWindowTest.ControlsFollowTheLayoutTable",
        "BRIMVALE_TEST_DPI", std::to_string(dpi).c_str(), 2);
  }
}

// Moves the laid-out face's font files out of the prefix's Fonts folder
// while alive: a process started meanwhile is served a substitute, as in a
// Wine without its own fonts. They come back however the test ends.
class TLaidOutFaceHidden {
 public:
  TLaidOutFaceHidden() {
    char windows[MAX_PATH] = {}, temp[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetTempPathA(MAX_PATH, temp);
    fonts_ = std::string(windows) + "\\Fonts\\";
    aside_ = std::string(temp) + "brimvale_hidden_fonts\\";
    CreateDirectoryA(aside_.c_str(), nullptr);
    for (const char* pattern : {"sserif*.fon", "ssee*.fon", "ssef*.fon"}) {
      WIN32_FIND_DATAA found{};
      const HANDLE search = FindFirstFileA((fonts_ + pattern).c_str(), &found);
      if (search == INVALID_HANDLE_VALUE) continue;
      do {
        if (MoveFileA((fonts_ + found.cFileName).c_str(), (aside_ + found.cFileName).c_str()))
          moved_.push_back(found.cFileName);
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
  }
  TLaidOutFaceHidden(const TLaidOutFaceHidden&) = delete;
  TLaidOutFaceHidden& operator=(const TLaidOutFaceHidden&) = delete;
  ~TLaidOutFaceHidden() {
    for (const std::string& name : moved_)
      MoveFileA((aside_ + name).c_str(), (fonts_ + name).c_str());
    RemoveDirectoryA(aside_.c_str());
  }
  bool HidSome() const { return !moved_.empty(); }

 private:
  std::string fonts_, aside_;
  std::vector<std::string> moved_;
};

TEST(ScreenWithoutTheLaidOutFace, TheProgramStartsAsLaidOutWithItsHelpTextWhole) {
  if (ExpectedDpi() || SubstituteExpected()) GTEST_SKIP() << "this is the child process";
  TLaidOutFaceHidden hidden;
  ASSERT_TRUE(hidden.HidSome()) << "the prefix has no MS Sans Serif of its own";
  bool skipped = false;
  RunChild("MainWindowTest.TheHelpTextFitsItsBoxWhicheverFaceServesIt", "BRIMVALE_TEST_FACE",
           "substitute", 1, &skipped);
  if (skipped) GTEST_SKIP() << "this system serves the laid-out face from outside the prefix";
}

TEST(LayoutScaling, FontHeightKeepsItsPointsRoundingHalvesAwayFromZero) {
  const struct {
    int dpi, height;
  } cases[] = {{96, -11}, {72, -8}, {120, -14}, {144, -17}, {192, -22}};
  for (const auto& c : cases) {
    EXPECT_EQ(FontHeightForDpi(-11, c.dpi), c.height) << c.dpi;
  }
}

TEST(LayoutScaling, TheMeasuredHeightScalesButASubstituteNeverShrinks) {
  const struct {
    int measured;
    const char* face;
    int expected;
  } cases[] = {
      {13, "MS Sans Serif", 13},   {16, "MS Sans Serif", 16}, {12, "MS Sans Serif", 12},
      {12, "Liberation Sans", 13},  // Wine without its own fonts, at 96 dpi
      {16, "Liberation Sans", 16}, {0, "MS Sans Serif", 13},  // no measure: as laid out
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LayoutTextHeight(TFontMeasure{c.measured, c.face}), c.expected)
        << c.measured << " " << c.face;
  }
}

TEST(ErrorBoxText, AddsAFullStopAfterLettersAndDigits) {
  EXPECT_EQ(ErrorBoxText("Out of memory"), "Out of memory.");
  EXPECT_EQ(ErrorBoxText("code 5"), "code 5.");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Really?!"), "Really?!");
  EXPECT_EQ(ErrorBoxText(""), "");
}

}  // namespace
}  // namespace brimvale
