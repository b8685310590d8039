#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <shlguid.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/TBoxCatcher.h"
#include "tests/support/TestDrives.h"
#include "tests/support/UWin32TestTools.h"
#include "ui/UApplication.h"
#include "ui/UControls.h"
#include "ui/UJvAutoComplete.h"
#include "ui/UJvBrowseForFolderDialog.h"
#include "ui/UJvDirectoryEdit.h"
#include "ui/UOwners.h"
#include "ui/USystemLibraries.h"
#include "ui/UWindow.h"
#include "ui/UfrmMain.h"

namespace brimvale {
namespace {

class TStartUp : public ::testing::Environment {
 public:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    LoadSystemLibraries();
    dll::InitCommonControlsEx(&controls);
  }
};
const auto* const kStartUp = ::testing::AddGlobalTestEnvironment(new TStartUp);
const auto* const kWatchdog = ::testing::AddGlobalTestEnvironment(new test::TBoxWatchdog);

constexpr int kFieldId = 100, kNextId = 101;
constexpr RECT kBounds{8, 36, 8 + 381, 36 + 21};

// A top-level window that reflects its children's commands back to them, as
// the main window does, and notes the keys handed to it.
class TTestParent final : public TWindow {
 public:
  explicit TTestParent(const TApplication& application) : TWindow(application) {
    TWindowClass windowClass{"TFolderFieldTestParent"};
    windowClass.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    CreateHandle(windowClass, WS_EX_CONTROLPARENT, "Folder field",
                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_VISIBLE,
                 RECT{100, 100, 520, 240}, nullptr);
    font_.Reset(CreateLayoutFont(-11));
  }
  ~TTestParent() override { DestroyHandle(); }
  HFONT Font() const { return font_.Get(); }
  std::vector<WPARAM> keys;  // WM_KEYDOWN handed up by a child

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && lParam) {
      SendMessageA(reinterpret_cast<HWND>(lParam), CN_COMMAND, wParam, lParam);
      return 0;
    }
    if (message == WM_KEYDOWN) keys.push_back(wParam);
    return DefaultProc(message, wParam, lParam);
  }

  TFontOwner font_;
};

void SetClipboardText(HWND owner, const std::string& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  // Both forms, so that no conversion of the system's stands in between.
  const HGLOBAL narrow = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(narrow), text.c_str(), text.size() + 1);
  GlobalUnlock(narrow);
  SetClipboardData(CF_TEXT, narrow);
  const std::wstring wide(text.begin(), text.end());
  const HGLOBAL unicode = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(unicode), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(unicode);
  SetClipboardData(CF_UNICODETEXT, unicode);
  CloseClipboard();
}

// A drop as the shell builds it: DROPFILES, then the paths, each ended by a
// zero, and one more zero.
UINT CurrentErrorMode() {
  const UINT mode = SetErrorMode(0);
  SetErrorMode(mode);
  return mode;
}

// Keys as the keyboard would leave them for GetKeyState.
class TKeysDown {
 public:
  explicit TKeysDown(std::initializer_list<BYTE> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof state);
    for (const BYTE key : keys) state[key] = 0x80;
    SetKeyboardState(state);
  }
  ~TKeysDown() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256];
};

class FolderFieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "brimvale_field";
    CreateDirectoryA(folder_.c_str(), nullptr);
    file_ = folder_ + "\\a.txt";
    ASSERT_TRUE(test::WriteFileOfSize(file_, 1));
  }
  void TearDown() override {
    DeleteFileA(file_.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  // The field in the test window, followed by a button for Tab to reach.
  void CreateField(bool themed = true) {
    field_.SetVisualStyleQuery([themed] { return themed; });
    ASSERT_NE(field_.Create(parent_.Handle(), kFieldId, kBounds, parent_.Font(), "edtDir"),
              nullptr);
    next_ = CreateWindowExA(0, "Button", "Next", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 8, 70, 75, 23,
                            parent_.Handle(), reinterpret_cast<HMENU>(kNextId),
                            GetModuleHandleA(nullptr), nullptr);
    field_.OnChange = [this] { changes_.push_back(field_.Text()); };
    app_.SetMainWindow(parent_.Handle());
    SetForegroundWindow(parent_.Handle());
    SetFocus(field_.Handle());
  }

  // The field's own browser replaced by one that notes its start folder.
  void FakeBrowser(bool choose, const std::string& chosen) {
    field_.Browse = [=, this](std::string& directory) {
      starts_.push_back(directory);
      modeInBrowser_ = CurrentErrorMode();
      if (!choose) return false;
      directory = chosen;
      return true;
    };
  }

  void Post(UINT message, WPARAM wParam, LPARAM lParam = 0) {
    PostMessageA(field_.Handle(), message, wParam, lParam);
    app_.ProcessMessages();
  }

  TApplication app_{GetModuleHandleA(nullptr)};
  TTestParent parent_{app_};
  TJvDirectoryEdit field_{app_};
  HWND next_ = nullptr;
  std::vector<std::string> changes_;
  std::vector<std::string> starts_;
  UINT modeInBrowser_ = 0;
  std::string folder_, file_;
};

TEST_F(FolderFieldTest, EveryChangeRaisesOnChangeOnceWithTheFinalText) {
  CreateField();
  struct TCase {
    const char* name;
    const char* before;
    void (*act)(HWND owner, TJvDirectoryEdit&);
    const char* after;
    std::vector<std::string> changes;
  };
  const TCase cases[] = {
      {"typing",
       "C:\\",
       [](HWND, TJvDirectoryEdit& f) {
         SendMessageA(f.Handle(), EM_SETSEL, 3, 3);
         SendMessageA(f.Handle(), WM_CHAR, 'x', 0);
       },
       "C:\\x",
       {"C:\\x"}},
      {"set text", "C:\\", [](HWND, TJvDirectoryEdit& f) { f.SetText("D:\\"); }, "D:\\", {"D:\\"}},
      {"same text", "C:\\", [](HWND, TJvDirectoryEdit& f) { f.SetText("C:\\"); }, "C:\\", {}},
      {"set text with a line break",
       "",
       [](HWND, TJvDirectoryEdit& f) { f.SetText("E:\\a\r\nb"); },
       "E:\\a",
       {"E:\\a"}},
      {"another window's set-text",
       "C:\\",
       [](HWND, TJvDirectoryEdit& f) { SetWindowTextA(f.Handle(), "F:\\"); },
       "F:\\",
       {"F:\\"}},
      {"paste with a break in the middle",
       "",
       [](HWND owner, TJvDirectoryEdit& f) {
         SetClipboardText(owner, "C:\\Data\r\nmore");
         SendMessageA(f.Handle(), WM_PASTE, 0, 0);
       },
       "C:\\Data",
       {"C:\\Data"}},
      {"paste starting with a break",
       "",
       [](HWND owner, TJvDirectoryEdit& f) {
         SetClipboardText(owner, "\r\nC:\\Data");
         SendMessageA(f.Handle(), WM_PASTE, 0, 0);
       },
       "",
       {""}},
      {"paste of the same text over itself",
       "C:\\Data",
       [](HWND owner, TJvDirectoryEdit& f) {
         SetClipboardText(owner, "C:\\Data");
         SendMessageA(f.Handle(), EM_SETSEL, 0, -1);
         SendMessageA(f.Handle(), WM_PASTE, 0, 0);
       },
       "C:\\Data",
       {"C:\\Data"}},
      {"line feed looked for first",
       "",
       [](HWND owner, TJvDirectoryEdit& f) {
         SetClipboardText(owner, "a\rb\nc");
         SendMessageA(f.Handle(), WM_PASTE, 0, 0);
       },
       "a",
       {"a"}},
      {"context-menu delete of a part",
       "C:\\Temp",
       [](HWND, TJvDirectoryEdit& f) {
         SendMessageA(f.Handle(), EM_SETSEL, 2, 4);
         SendMessageA(f.Handle(), WM_CLEAR, 0, 0);
       },
       "",
       {""}},
      {"context-menu delete of nothing",
       "",
       [](HWND, TJvDirectoryEdit& f) { SendMessageA(f.Handle(), WM_CLEAR, 0, 0); },
       "",
       {}},
      {"undo (announced twice by Wine's edit box)",
       "C:\\",
       [](HWND, TJvDirectoryEdit& f) {
         SendMessageA(f.Handle(), EM_SETSEL, 3, 3);
         SendMessageA(f.Handle(), WM_CHAR, 'y', 0);
         SendMessageA(f.Handle(), EM_UNDO, 0, 0);
       },
       "C:\\",
       {"C:\\y", "C:\\"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    field_.SetText(c.before);
    changes_.clear();
    c.act(parent_.Handle(), field_);
    EXPECT_EQ(field_.Text(), c.after);
    EXPECT_EQ(changes_, c.changes);
    // A break that came and went leaves the one line in view.
    EXPECT_EQ(SendMessageA(field_.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  }
}

TEST_F(FolderFieldTest, EnterTabAndEscapeNeverEnterTheText) {
  CreateField();
  field_.SetText("C:\\");
  changes_.clear();
  // Through the program's message loop, as the keyboard would arrive.
  for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    SetFocus(field_.Handle());
    Post(WM_KEYDOWN, key);
    EXPECT_EQ(GetFocus(), field_.Handle());
  }
  {
    TKeysDown ctrl{VK_CONTROL};
    Post(WM_KEYDOWN, VK_RETURN);
  }
  // Straight to the field, past the dialog keys.
  for (const WPARAM character : {WPARAM{'\r'}, WPARAM{'\n'}, WPARAM{'\t'}, WPARAM{VK_ESCAPE}})
    SendMessageA(field_.Handle(), WM_CHAR, character, 0);
  {
    TKeysDown ctrl{VK_CONTROL};
    SendMessageA(field_.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(field_.Handle(), WM_KEYDOWN, VK_TAB, 0);
  }
  EXPECT_EQ(field_.Text(), "C:\\");
  EXPECT_TRUE(changes_.empty());
  // Ctrl+Enter and Ctrl+Tab went to the window instead.
  EXPECT_EQ(parent_.keys, (std::vector<WPARAM>{VK_RETURN, VK_TAB}));

  SetFocus(field_.Handle());
  Post(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), next_);
  EXPECT_EQ(field_.Text(), "C:\\");
}

TEST_F(FolderFieldTest, AltDownOpensTheBrowserAndDownAloneDoesNot) {
  CreateField();
  FakeBrowser(false, "");
  SendMessageA(field_.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_TRUE(starts_.empty());
  constexpr LPARAM kAltHeld = 1 << 29;
  SendMessageA(field_.Handle(), WM_SYSKEYDOWN, VK_DOWN, kAltHeld);
  EXPECT_EQ(starts_.size(), 1u);
  field_.ButtonWidth = 0;
  SendMessageA(field_.Handle(), WM_SYSKEYDOWN, VK_DOWN, kAltHeld);
  EXPECT_EQ(starts_.size(), 1u);
}

TEST_F(FolderFieldTest, FocusSelectsAllExceptFromAPressInTheText) {
  CreateField();
  field_.SetText("C:\\Temp");
  SetFocus(next_);
  SetFocus(field_.Handle());
  DWORD start = 9, end = 0;
  SendMessageA(field_.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 7u);

  SetFocus(next_);
  SendMessageA(field_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 5));
  SendMessageA(field_.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 5));
  EXPECT_EQ(GetFocus(), field_.Handle());
  SendMessageA(field_.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, end);
}

// The folder pictures, as the resources hold them.
constexpr char kClassicPicture[] = "JvDirectoryEditGLYPH";
constexpr char kThemedPicture[] = "JvDirectoryEditXPGLYPH";

// Whether the button shows the picture centred, pixel for pixel where the
// picture is not transparent magenta.
bool ShowsPicture(HWND button, const char* picture) {
  UpdateWindow(button);
  const TBitmapOwner bitmap(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), picture, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  const TMemoryDC source;
  const TSelectObject selected(source.Get(), bitmap.Get());
  RECT client;
  GetClientRect(button, &client);
  const int left = (client.right - 14) / 2, top = (client.bottom - 12) / 2;
  const TClientDC shown(button);
  int differences = 0;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 14; ++x) {
      const COLORREF colour = GetPixel(source.Get(), x, y);
      if (colour != RGB(255, 0, 255) && GetPixel(shown.Get(), left + x, top + y) != colour)
        ++differences;
    }
  return bitmap && differences == 0;
}

RECT ChildRect(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(FolderFieldTest, TextAndButtonLeaveRoomForEachOtherInBothLooks) {
  constexpr int W = 381, H = 21;
  struct TCase {
    bool themed;
    RECT client, button, text;
  };
  const TCase cases[] = {
      {true,
       {0, 0, W - 2, H - 2},
       {W - 21 - 2, 0, W - 2, H - 2},
       {1, 1, W - (1 + 21 + 2) - 3, H - 2 - 1}},
      {false,
       {0, 0, W - 4, H - 4},
       {W - 21 - 4, 0, W - 4, H - 4},
       {0, 2, W - (21 + 2) - 3, H - 4 - 1}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.themed ? "visual styles" : "classic");
    CreateField(c.themed);
    const HWND edit = field_.Handle();
    RECT client;
    GetClientRect(edit, &client);
    EXPECT_TRUE(EqualRect(&client, &c.client));
    const RECT button = ChildRect(field_.ButtonHandle());
    EXPECT_TRUE(EqualRect(&button, &c.button))
        << button.left << "," << button.top << "," << button.right << "," << button.bottom;
    const RECT text = field_.TextRect();
    EXPECT_TRUE(EqualRect(&text, &c.text))
        << text.left << "," << text.top << "," << text.right << "," << text.bottom;
    // The edit box keeps to it (inside its own margins; Wine also rounds the
    // bottom down to whole lines), so the text never runs under the button.
    RECT shown{};
    SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
    EXPECT_GE(shown.left, c.text.left);
    EXPECT_GE(shown.top, c.text.top);
    EXPECT_LE(shown.right, c.text.right);
    EXPECT_LE(shown.bottom, c.text.bottom);
    EXPECT_GT(shown.bottom, shown.top);
    EXPECT_LE(shown.right, button.left);
    // A new font resets the edit box's own rectangle; ours comes back.
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(parent_.Font()), TRUE);
    RECT again{};
    SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&again));
    EXPECT_TRUE(EqualRect(&again, &shown));
    // The picture of the look, as the button shows it.
    EXPECT_TRUE(ShowsPicture(field_.ButtonHandle(), c.themed ? kThemedPicture : kClassicPicture));
    EXPECT_FALSE(ShowsPicture(field_.ButtonHandle(), c.themed ? kClassicPicture : kThemedPicture));
    DestroyWindow(edit);
    DestroyWindow(next_);
  }
}

TEST_F(FolderFieldTest, ALowFieldGrowsToItsFontAndTheButtonFollowsTheField) {
  const RECT low{8, 36, 8 + 200, 36 + 10};
  ASSERT_NE(field_.Create(parent_.Handle(), kFieldId, low, parent_.Font(), ""), nullptr);
  TEXTMETRICA metrics{};
  {
    TClientDC dc(field_.Handle());
    TSelectObject font(dc.Get(), parent_.Font());
    GetTextMetricsA(dc.Get(), &metrics);
  }
  const RECT bounds = ChildRect(field_.Handle());
  EXPECT_EQ(bounds.bottom - bounds.top, metrics.tmHeight + 8 * GetSystemMetrics(SM_CYBORDER));

  field_.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(field_.ButtonHandle()));
  field_.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(field_.ButtonHandle()));
  const LONG style = GetWindowLongA(field_.Handle(), GWL_STYLE);
  EXPECT_EQ(style & (ES_MULTILINE | ES_AUTOHSCROLL | ES_OEMCONVERT | WS_CLIPCHILDREN | WS_TABSTOP),
            static_cast<LONG>(ES_MULTILINE | ES_AUTOHSCROLL | ES_OEMCONVERT | WS_CLIPCHILDREN |
                              WS_TABSTOP));
}

// The system's own suggestion objects, as the field makes them, kept to be
// asked what they were told; not owned, since the test sees its release end each.
IAutoComplete2* gMadeAutoComplete = nullptr;
IUnknown* gMadeLists = nullptr;
IACList2* gMadeFolderList = nullptr;
HRESULT CreateAndKeep(REFCLSID object, REFIID iid, void** created) {
  const HRESULT result = TJvAutoComplete::CreateInProcess(object, iid, created);
  auto* made = SUCCEEDED(result) ? static_cast<IUnknown*>(*created) : nullptr;
  if (made && object == CLSID_AutoComplete)
    made->QueryInterface(IID_IAutoComplete2, reinterpret_cast<void**>(&gMadeAutoComplete));
  if (made && object == CLSID_ACLMulti)
    made->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&gMadeLists));
  if (made && object == CLSID_ACListISF)
    made->QueryInterface(IID_IACList2, reinterpret_cast<void**>(&gMadeFolderList));
  return result;
}
template <class TObject>
DWORD OptionsOf(TObject* object) {
  DWORD options = 0xFFFFFFFF;
  if (object) object->GetOptions(&options);
  return options;
}

TEST_F(FolderFieldTest, DropsAndSuggestionsComeWithTheWindowAndGoWithIt) {
  field_.CreateAutoCompleteObject = CreateAndKeep;
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "first window" : "re-created window");
    ASSERT_NE(field_.Create(parent_.Handle(), kFieldId, kBounds, parent_.Font(), ""), nullptr);
    ASSERT_TRUE(gMadeAutoComplete && gMadeLists && gMadeFolderList);
    EXPECT_TRUE(GetWindowLongA(field_.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    // A drop-down list of existing file-system folders, nothing completed in place.
    EXPECT_EQ(OptionsOf(gMadeAutoComplete), static_cast<DWORD>(ACO_AUTOSUGGEST));
    EXPECT_EQ(OptionsOf(gMadeFolderList), static_cast<DWORD>(ACLO_FILESYSONLY | ACLO_FILESYSDIRS));
    DestroyWindow(field_.Handle());
    EXPECT_EQ(field_.Handle(), nullptr);
    // The test's release is the last of each (users go before what they use).
    EXPECT_EQ(std::exchange(gMadeAutoComplete, nullptr)->Release(), 0u);
    EXPECT_EQ(std::exchange(gMadeLists, nullptr)->Release(), 0u);
    EXPECT_EQ(std::exchange(gMadeFolderList, nullptr)->Release(), 0u);
  }
}

// An auto-completion object that notes what is done to it; the test owns it.
class TFakeAutoComplete final : public IAutoComplete2 {
 public:
  ULONG references = 1;
  bool initialised = false, enabled = true;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IAutoComplete || iid == IID_IAutoComplete2) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE Init(HWND, IUnknown*, LPCOLESTR, LPCOLESTR) override {
    initialised = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Enable(BOOL on) override {
    enabled = on != FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetOptions(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetOptions(DWORD* options) override {
    *options = 0;
    return S_OK;
  }
};
TFakeAutoComplete* gFakeAutoComplete = nullptr;  // creation functions take no context
bool gFolderListFails = false;

HRESULT CreateWithTheFake(REFCLSID object, REFIID iid, void** created) {
  if (object == CLSID_AutoComplete) return gFakeAutoComplete->QueryInterface(iid, created);
  if (object == CLSID_ACListISF && gFolderListFails) {
    *created = nullptr;
    return E_FAIL;
  }
  return TJvAutoComplete::CreateInProcess(object, iid, created);
}

// A set-up that fails once the object works on the box leaves it switched
// off and released, not suggesting with half its options.
TEST_F(FolderFieldTest, AFailedSetUpLeavesNoSuggestionsBehind) {
  CreateField();
  for (const bool fails : {true, false}) {
    SCOPED_TRACE(fails ? "the folder list fails" : "all goes well");
    TFakeAutoComplete fake;
    gFakeAutoComplete = &fake;
    gFolderListFails = fails;
    {
      TJvAutoComplete autoComplete;
      autoComplete.CreateObject = CreateWithTheFake;
      EXPECT_EQ(autoComplete.Attach(field_.Handle()), !fails);
      EXPECT_EQ(autoComplete.Attached(), !fails);
      EXPECT_TRUE(fake.initialised);
      EXPECT_EQ(fake.enabled, !fails);
      EXPECT_EQ(fake.references, fails ? 1u : 2u);  // the test's own, and the field's
      autoComplete.Release();
    }
    EXPECT_FALSE(fake.enabled);
    EXPECT_EQ(fake.references, 1u);
    gFakeAutoComplete = nullptr;
  }
}

TEST_F(FolderFieldTest, ADropTakesTheFirstItemsFolder) {
  CreateField();
  const std::string longPath = "C:\\" + std::string(300, 'x');
  struct TCase {
    const char* name;
    std::vector<std::string> items;
    std::string text;
  };
  const TCase cases[] = {
      {"a file", {file_}, folder_ + "\\"},
      {"a folder", {folder_}, folder_},
      {"a drive root", {"C:\\"}, "C:\\"},
      {"three items", {folder_, file_, "C:\\"}, folder_},
      {"a long path, whole", {longPath}, longPath},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    field_.SetText("start");
    changes_.clear();
    SendMessageA(field_.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop(c.items)),
                 0);
    EXPECT_EQ(field_.Text(), c.text);
    EXPECT_EQ(changes_, std::vector<std::string>{c.text});
  }
  changes_.clear();
  SendMessageA(field_.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({})), 0);
  EXPECT_TRUE(changes_.empty());
}

TEST_F(FolderFieldTest, TheBrowserStartsAtTheTextOrTheLastChoiceOrTheRoot) {
  CreateField();
  FakeBrowser(false, "");
  struct TCase {
    std::string text, initialDir, start;
  };
  const TCase cases[] = {
      {folder_, "", folder_}, {"Q:\\nowhere", "", "\\"}, {"", "", "\\"},
      {"", folder_, folder_}, {"", "Q:\\nowhere", "\\"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text + " / " + c.initialDir);
    field_.SetText(c.text);
    field_.InitialDir = c.initialDir;
    starts_.clear();
    changes_.clear();
    field_.PopupDropDown();
    ASSERT_EQ(starts_.size(), 1u);
    EXPECT_EQ(starts_[0], c.start);
    // Cancelled: nothing changes.
    EXPECT_EQ(field_.Text(), c.text);
    EXPECT_EQ(field_.InitialDir, c.initialDir);
    EXPECT_TRUE(changes_.empty());
  }
}

TEST_F(FolderFieldTest, AChoiceReplacesTheTextAndIsRemembered) {
  CreateField();
  SetErrorMode(SEM_NOGPFAULTERRORBOX);  // kept while the browser runs
  const UINT modeBefore = CurrentErrorMode();
  FakeBrowser(true, folder_);
  field_.SetText("C:\\");
  SendMessageA(field_.Handle(), EM_SETSEL, 0, -1);
  changes_.clear();
  field_.PopupDropDown();
  // The selection goes first, then the choice comes in.
  EXPECT_EQ(changes_, (std::vector<std::string>{"", folder_}));
  EXPECT_EQ(field_.Text(), folder_);
  EXPECT_EQ(field_.InitialDir, folder_);
  EXPECT_EQ(modeInBrowser_, modeBefore | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  EXPECT_EQ(CurrentErrorMode(), modeBefore);
  EXPECT_EQ(GetFocus(), field_.Handle());

  // Emptied, the field starts the browser at the last choice.
  field_.SetText("");
  starts_.clear();
  FakeBrowser(true, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
  field_.PopupDropDown();
  EXPECT_EQ(starts_, std::vector<std::string>{folder_});
  // A choice that is no folder stands as the text but is not remembered.
  EXPECT_EQ(field_.Text(), "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
  EXPECT_EQ(field_.InitialDir, folder_);
}

TEST_F(FolderFieldTest, TheButtonFocusesTheFieldOnPressAndBrowsesOnRelease) {
  CreateField();
  FakeBrowser(true, folder_);
  field_.SetText("C:\\");
  SetFocus(next_);
  changes_.clear();
  const HWND button = field_.ButtonHandle();
  SendMessageA(button, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  SendMessageA(button, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(GetFocus(), next_);
  SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(GetFocus(), field_.Handle());
  EXPECT_TRUE(starts_.empty());
  // The focus selected the whole text, which goes before the choice comes.
  SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(starts_, std::vector<std::string>{"C:\\"});
  EXPECT_EQ(changes_, (std::vector<std::string>{"", folder_}));

  // A press that leaves the button before its release is no click.
  SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(-20, 5));
  EXPECT_EQ(starts_.size(), 1u);

  // Over the button the pointer is the arrow.
  EXPECT_TRUE(SendMessageA(field_.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(button),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

TEST_F(FolderFieldTest, AFailingBrowserLeavesTheTextAndRestoresTheErrorMode) {
  CreateField();
  const UINT modeBefore = CurrentErrorMode();
  // The system's browser, on a shell too old for it.
  field_.Browse = [this](std::string& directory) {
    TJvBrowseForFolderDialog dialog(app_);
    dialog.VersionSource = []() -> DWORD { return 0x00030033; };
    dialog.Directory = directory;
    return dialog.Execute();
  };
  field_.SetText("C:\\");
  changes_.clear();
  constexpr LPARAM kAltHeld = 1 << 29;
  test::TBoxCatcher catcher;
  SendMessageA(field_.Handle(), WM_SYSKEYDOWN, VK_DOWN, kAltHeld);
  // The program's own box for an escaped error.
  ASSERT_EQ(catcher.boxes.size(), 1u);
  EXPECT_EQ(catcher.boxes[0].text, "Shell not compatible with BrowseForFolder.");
  EXPECT_TRUE(catcher.boxes[0].hasIcon);
  EXPECT_EQ(CurrentErrorMode(), modeBefore);
  EXPECT_EQ(field_.Text(), "C:\\");
  EXPECT_TRUE(changes_.empty());
}

TEST(BrowseFlagsTest, TheNewStyleNeedsShellFive) {
  EXPECT_EQ(BrowseFlags(0x00060000, true, true), 0x0044u);
  EXPECT_EQ(BrowseFlags(0x00050000, true, true), 0x0044u);
  EXPECT_EQ(BrowseFlags(0x00040047, true, true), 0x0004u);
  EXPECT_GE(ShellVersion(), 0x00040000u);
}

// The system's browser itself, closed from a timer once it shows.
struct TBrowserWatch {
  HWND main = nullptr;
  HWND browser = nullptr;
  bool mainEnabledMeanwhile = true;
  UINT modeMeanwhile = 0;
  RECT window{}, client{};
  std::string status;  // the plain browser's status line
  int ticks = 0;
  bool neverShown = false;  // closed unseen when the deadline passed
  WPARAM closeWith = IDCANCEL;
  bool closing = false;
  HWND firstActivated = nullptr;  // the first window activated once it is closing
  bool firstActivatedEnabled = false;
  bool browserLivedThen = false;  // the activation came with its closing
};
TBrowserWatch* gWatch = nullptr;  // the hook and the timer have no user data
HHOOK gHook = nullptr;

void CALLBACK CloseBrowser(HWND, UINT, UINT_PTR timer, DWORD) {
  constexpr int kDeadline = 200;  // ticks of 50 ms: 10 s
  if (!IsWindowVisible(gWatch->browser) && ++gWatch->ticks < kDeadline) return;
  KillTimer(nullptr, timer);
  if (!IsWindowVisible(gWatch->browser)) {
    gWatch->neverShown = true;
    PostMessageA(gWatch->browser, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  gWatch->mainEnabledMeanwhile = IsWindowEnabled(gWatch->main) != FALSE;
  gWatch->modeMeanwhile = CurrentErrorMode();
  GetWindowRect(gWatch->browser, &gWatch->window);
  GetClientRect(gWatch->browser, &gWatch->client);
  char status[MAX_PATH] = {};
  GetDlgItemTextA(gWatch->browser, 0x3743, status, MAX_PATH);
  gWatch->status = status;
  gWatch->closing = true;
  PostMessageA(gWatch->browser, WM_COMMAND, gWatch->closeWith, 0);
}

LRESULT CALLBACK WatchForBrowser(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && gWatch && gWatch->closing && !gWatch->firstActivated) {
    gWatch->firstActivated = reinterpret_cast<HWND>(wParam);
    gWatch->firstActivatedEnabled = IsWindowEnabled(gWatch->firstActivated) != FALSE;
    gWatch->browserLivedThen = IsWindow(gWatch->browser) != FALSE;
  }
  if (code == HCBT_CREATEWND && gWatch && !gWatch->browser) {
    char name[16] = {};
    GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
    if (std::string(name) == "#32770") {
      gWatch->browser = reinterpret_cast<HWND>(wParam);
      SetTimer(nullptr, 0, 50, CloseBrowser);
    }
  }
  return CallNextHookEx(gHook, code, wParam, lParam);
}

TEST_F(FolderFieldTest, TheSystemBrowserIsModalToTheProgramAndCancelChangesNothing) {
  CreateField();
  field_.SetText(folder_);
  SendMessageA(field_.Handle(), EM_SETSEL, 2, 2);
  changes_.clear();
  const UINT modeBefore = CurrentErrorMode();
  TBrowserWatch watch;
  watch.main = parent_.Handle();
  gWatch = &watch;
  gHook = SetWindowsHookExA(WH_CBT, WatchForBrowser, nullptr, GetCurrentThreadId());
  constexpr LPARAM kAltHeld = 1 << 29;
  SendMessageA(field_.Handle(), WM_SYSKEYDOWN, VK_DOWN, kAltHeld);
  UnhookWindowsHookEx(gHook);
  gWatch = nullptr;

  ASSERT_NE(watch.browser, nullptr);
  ASSERT_FALSE(watch.neverShown);
  EXPECT_FALSE(watch.mainEnabledMeanwhile);
  EXPECT_EQ(watch.modeMeanwhile, modeBefore | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  // Centred on the work area by its client size.
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(watch.window.left, ((work.right - work.left) - watch.client.right) / 2);
  EXPECT_EQ(watch.window.top, ((work.bottom - work.top) - watch.client.bottom) / 2);
  EXPECT_TRUE(IsWindowEnabled(parent_.Handle()));
  EXPECT_EQ(CurrentErrorMode(), modeBefore);
  EXPECT_EQ(field_.Text(), folder_);
  EXPECT_TRUE(changes_.empty());
  // The focus is back, and the caret where it was: the return selects nothing.
  EXPECT_EQ(GetFocus(), field_.Handle());
  DWORD start = 0, end = 0;
  SendMessageA(field_.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 2u);
}

TEST_F(FolderFieldTest, AnOldShellGetsThePlainBrowserWithAShortenedStatusLine) {
  CreateField();
  // Deep enough that the status line cannot show it whole; named beyond
  // the system's code page, which GDI's 8-bit calls would measure in.
  std::string deep = folder_ + "\\" + std::string(60, 'a');
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
  std::string cyrillic;
  for (int i = 0; i < 30; ++i) cyrillic += "\xD0\x94";  // Д
  const std::string deeper = deep + "\\" + cyrillic;
  ASSERT_TRUE(CreateDirectoryA(deeper.c_str(), nullptr));

  TJvBrowseForFolderDialog dialog(app_);
  dialog.VersionSource = []() -> DWORD { return 0x00040047; };
  dialog.Directory = deeper;
  TBrowserWatch watch;
  watch.main = parent_.Handle();
  gWatch = &watch;
  gHook = SetWindowsHookExA(WH_CBT, WatchForBrowser, nullptr, GetCurrentThreadId());
  const bool chosen = dialog.Execute();
  UnhookWindowsHookEx(gHook);
  gWatch = nullptr;
  RemoveDirectoryA(deeper.c_str());
  RemoveDirectoryA(deep.c_str());

  EXPECT_FALSE(chosen);
  EXPECT_EQ(dialog.Directory, deeper);
  ASSERT_NE(watch.browser, nullptr);
  ASSERT_FALSE(watch.neverShown);
  // Moved at once, by the same rule as the new style.
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(watch.window.left, ((work.right - work.left) - watch.client.right) / 2);
  EXPECT_NE(watch.status.find("..."), std::string::npos) << watch.status;
  EXPECT_LT(watch.status.size(), deeper.size());
  EXPECT_EQ(watch.status.substr(watch.status.size() - 10), cyrillic.substr(0, 10));
}

TEST_F(FolderFieldTest, AShellOlderThanFourHasNoBrowser) {
  CreateField();
  TJvBrowseForFolderDialog dialog(app_);
  dialog.VersionSource = []() -> DWORD { return 0x00030033; };
  dialog.Directory = folder_;
  try {
    dialog.Execute();
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Shell not compatible with BrowseForFolder");
  }
  EXPECT_EQ(dialog.Directory, folder_);
  EXPECT_TRUE(IsWindowEnabled(parent_.Handle()));
}

// The field in its place in the main window, through the program's own loop.
TEST(FolderFieldInTheMainWindowTest, BrowsingProbesTheNewDriveAndKeysKeepToTheField) {
  TApplication app(GetModuleHandleA(nullptr));
  TfrmMain form(app);
  ASSERT_TRUE(form.Create());
  form.Show(SW_SHOWNORMAL);
  form.edtDir.Browse = [](std::string& directory) {
    directory = test::kProbeDrive;
    return true;
  };
  form.edtDir.PopupDropDown();
  EXPECT_EQ(form.edtDir.Text(), test::kProbeDrive);
  EXPECT_EQ(form.ClusterSize(), 4096);
  EXPECT_EQ(WindowText(form.lblClusterSize), "4096 bytes");

  // Enter in the field neither types nor starts a run; Tab moves on.
  SetFocus(form.edtDir.Handle());
  PostMessageA(form.edtDir.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  app.ProcessMessages();
  EXPECT_EQ(form.edtDir.Text(), test::kProbeDrive);
  EXPECT_TRUE(IsWindowEnabled(form.btnGo));
  EXPECT_FALSE(IsWindowVisible(form.gauge));
  PostMessageA(form.edtDir.Handle(), WM_KEYDOWN, VK_TAB, 0);
  app.ProcessMessages();
  EXPECT_EQ(GetFocus(), form.chkWriteThrough);
  EXPECT_EQ(form.edtDir.Text(), test::kProbeDrive);
}

// Only the main window hears of a change of the system colours (and with
// them perhaps the visual style); the field's button follows it.
TEST(FolderFieldInTheMainWindowTest, ThePictureFollowsTheStyleOnASystemColourChange) {
  TApplication app(GetModuleHandleA(nullptr));
  TfrmMain form(app);
  ASSERT_TRUE(form.Create());
  form.Show(SW_SHOWNORMAL);
  bool themed = true;
  form.edtDir.SetVisualStyleQuery([&themed] { return themed; });
  for (const bool on : {false, true}) {
    themed = on;
    SendMessageA(form.Handle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_TRUE(ShowsPicture(form.edtDir.ButtonHandle(), on ? kThemedPicture : kClassicPicture))
        << (on ? "styles on" : "styles off");
  }
}

// Closed with OK or with Cancel, the system's browser hands the activation
// back to the main window, enabled again by then, and not to whatever
// window comes next (another program's, on a desktop).
TEST(FolderFieldInTheMainWindowTest, TheBrowserGivesTheActivationBackToTheMainWindow) {
  TApplication app(GetModuleHandleA(nullptr));
  TfrmMain form(app);
  ASSERT_TRUE(form.Create());
  form.Show(SW_SHOWNORMAL);
  // Chosen in the browser: a folder named beyond the system's code page.
  const std::string chosen = std::string(test::kWriteDrive) + "\xE4\xB8\xAD\xE6\x96\x87";  // 中文
  ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), nullptr));
  form.edtDir.SetText(chosen);
  for (const WPARAM closeWith : {WPARAM{IDOK}, WPARAM{IDCANCEL}}) {
    SCOPED_TRACE(closeWith == IDOK ? "OK" : "Cancel");
    TBrowserWatch watch;
    watch.main = form.Handle();
    watch.closeWith = closeWith;
    gWatch = &watch;
    gHook = SetWindowsHookExA(WH_CBT, WatchForBrowser, nullptr, GetCurrentThreadId());
    form.edtDir.PopupDropDown();
    UnhookWindowsHookEx(gHook);
    gWatch = nullptr;
    ASSERT_NE(watch.browser, nullptr);
    ASSERT_FALSE(watch.neverShown);
    EXPECT_EQ(watch.firstActivated, form.Handle());
    EXPECT_TRUE(watch.firstActivatedEnabled);
    EXPECT_TRUE(watch.browserLivedThen);
    EXPECT_EQ(GetActiveWindow(), form.Handle());
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    EXPECT_EQ(form.edtDir.Text(), chosen);
  }
  test::EmptyFolder(test::kWriteDrive);
}

}  // namespace
}  // namespace brimvale
