#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/TDrivesGuard.h"
#include "tests/support/TestDrives.h"
#include "tests/support/UWin32TestTools.h"

namespace brimvale {
namespace {

using test::kExeDrive;

const auto* const kDrivesGuard = ::testing::AddGlobalTestEnvironment(new test::TDrivesGuard);

std::string OwnFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.erase(folder.find_last_of('\\') + 1);
}

struct TFound {
  DWORD process;
  std::string className;
  HWND window;
};

BOOL CALLBACK FindWindowOfClass(HWND window, LPARAM context) {
  auto* found = reinterpret_cast<TFound*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (owner == found->process && found->className == name && IsWindowVisible(window)) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

// A shown top-level window of a process: its main window ("TfrmMain"), the
// folder browser ("#32770").
HWND WindowOf(DWORD process, const char* className) {
  TFound found{process, className, nullptr};
  EnumWindows(FindWindowOfClass, reinterpret_cast<LPARAM>(&found));
  return found.window;
}

struct TSearch {
  std::string text;
  HWND found;
};

BOOL CALLBACK FindChildWithText(HWND child, LPARAM context) {
  auto* search = reinterpret_cast<TSearch*>(context);
  char buffer[64] = {};
  GetWindowTextA(child, buffer, sizeof buffer);
  if (search->text == buffer) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

HWND ChildWithText(HWND window, const std::string& text) {
  TSearch search{text, nullptr};
  EnumChildWindows(window, FindChildWithText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

long long FreeBytes(const char* root) {
  ULARGE_INTEGER available{};
  GetDiskFreeSpaceExA(root, &available, nullptr, nullptr);
  return static_cast<long long>(available.QuadPart);
}

// The test prefix tells its programs which Windows they run on; a run meant
// for Windows XP must really be one.
TEST(Program, SeesTheSystemItsPrefixReports) {
  char wanted[16] = {};
  GetEnvironmentVariableA("BRIMVALE_WINDOWS_VERSION", wanted, sizeof wanted);
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_TRUE(GetVersionExA(&version));
  if (std::string(wanted) == "winxp")
    EXPECT_EQ(version.dwMajorVersion, 5u);  // 5.1, or 5.2 for 64-bit XP
  else
    EXPECT_GE(version.dwMajorVersion, 6u);  // Wine's default, Windows 7
}

// The DLLs that Wine is told to take from where Windows' loader would find
// them (tests/CMakeLists.txt says which and why), as Windows does, rather
// than its own; a test's DLL under those names lies in the program's way.
std::vector<std::string> PlantedNames() {
  char overrides[512] = {};
  GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
  std::string list = overrides;
  list = list.substr(0, list.find("=n,b"));
  // Wine 8's own user32 imports version.dll, so it is loaded as the process
  // starts, before the program can say where from; Windows' user32, a known
  // DLL, does not.
  const auto wineVersion = reinterpret_cast<const char* (*)()>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
  const bool userImportsVersion = wineVersion && std::atoi(wineVersion()) < 10;
  std::vector<std::string> names;
  for (std::size_t at = list.rfind(';') + 1, end = 0; end != std::string::npos; at = end + 1) {
    end = list.find(',', at);
    names.push_back(list.substr(at, end - at));
    if (userImportsVersion && names.back() == "version") names.pop_back();
  }
  return names;
}

// The program's manifest without its request for UTF-8, as a Windows before
// 10 (version 1903) reads it: the program then runs in the user's code page.
bool RemoveUtf8Request(const std::string& exe) {
  std::string manifest;
  if (const HMODULE image = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
    if (const HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)))
      manifest.assign(static_cast<const char*>(LockResource(LoadResource(image, found))),
                      SizeofResource(image, found));
    FreeLibrary(image);
  }
  const std::size_t start = manifest.find("  <application"),
                    end = manifest.find("</application>\n");
  if (start == std::string::npos || end == std::string::npos) return false;
  manifest.erase(start, end + std::strlen("</application>\n") - start);
  const HANDLE update = BeginUpdateResourceA(exe.c_str(), FALSE);
  return update &&
         UpdateResourceA(update, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1),
                         MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK), manifest.data(),
                         static_cast<DWORD>(manifest.size())) &&
         EndUpdateResourceA(update, FALSE);
}

// The real program, started from a folder of any name where DLLs of the
// tests' own lie under system DLLs' names, there and in its current folder:
// it shows its folder; Enter starts a run (Go has the focus) that fills the
// folder in its field, whatever language names it, and nothing outside it;
// then it browses and takes typing through its completion; none of those
// DLLs is loaded. In Japanese also as an older Windows runs it: in code page
// 932, where the second byte of "ソ" is the backslash's.
TEST(Program, StartedFromAnyFolderBesidePlantedDllsItFillsBrowsesAndTakesTyping) {
  const std::string root = kExeDrive, cwd = test::kWriteDrive;
  std::string cyrillic;  // 69 characters, 138 bytes: two make a path of more than 261 bytes
  for (int i = 0; i < 23; ++i) cyrillic += "\xD0\x94\xD0\xBE\xD0\xBC";  // Дом
  const std::string chinese = root + "\xE4\xB8\xAD\xE6\x96\x87\\";      // 中文
  const std::string so = root + "\xE3\x82\xBD", soft = "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88.exe";
  struct TCase {
    std::string startFolder, exeName, fillFolder;  // no fill folder: the start folder
    bool utf8 = true;
    bool shortName = false;  // shown by its short name, its own being beyond the code page
    const char* program = "brimvale.exe";  // or the build that plays an older Windows
  };
  std::vector<TCase> cases = {
      {root, "brimvale.exe", ""},
      {root + cyrillic + "\\" + cyrillic + "\\", "brimvale.exe", ""},
      {chinese, "brimvale.exe", ""},
      {root + "\xF0\x9F\x98\x80\\", "brimvale.exe", ""},  // an emoji
      {root, soft, so},                                   // ソフト.exe fills ソ
      // Where Windows cannot keep the program's folder out of the DLL search.
      {root, "brimvale.exe", "", true, false, "brimvale_open_search.exe"},
  };
  char systemPage[8] = {};
  GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, systemPage, sizeof systemPage);
  if (std::string(systemPage) == "932")
    cases.push_back({root, soft, so, false});
  else
    cases.push_back({chinese, "brimvale.exe", "", false, true});
  const std::vector<std::string> planted = PlantedNames();
  ASSERT_GE(planted.size(), 4u) << "run through ctest, which tells Wine which DLLs to take";
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.startFolder + c.exeName + " of " + c.program +
                 (c.utf8 ? "" : " in the system's code page"));
    for (const std::string& folder : {root, cwd}) test::EmptyFolder(folder);
    for (std::size_t at = c.startFolder.find('\\', 3); at != std::string::npos;
         at = c.startFolder.find('\\', at + 1))
      ASSERT_TRUE(CreateDirectoryA(c.startFolder.substr(0, at).c_str(), nullptr));
    const std::string exe = c.startFolder + c.exeName;
    ASSERT_TRUE(CopyFileA((OwnFolder() + c.program).c_str(), exe.c_str(), FALSE));
    if (!c.utf8) {
      ASSERT_TRUE(RemoveUtf8Request(exe));
    }
    for (const std::string& folder : {c.startFolder, cwd})
      for (const std::string& name : planted)
        ASSERT_TRUE(CopyFileA((OwnFolder() + "stand_in.dll").c_str(),
                              (folder + name + ".dll").c_str(), FALSE));
    const std::string filled = c.fillFolder.empty() ? c.startFolder : c.fillFolder + "\\";
    if (!c.fillFolder.empty()) {
      ASSERT_TRUE(CreateDirectoryA(c.fillFolder.c_str(), nullptr));
    }
    const long long freeAtStart = FreeBytes(kExeDrive);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + exe + "\"";
    ASSERT_TRUE(CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               cwd.c_str(), &startup, &process));
    // Whatever happens below, the program does not outlive the test.
    struct TProcessGuard {
      PROCESS_INFORMATION& process;
      ~TProcessGuard() {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
          TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
      }
    } guard{process};
    HWND window = nullptr;
    ASSERT_TRUE(test::PumpUntil(
        [&] { return (window = WindowOf(process.dwProcessId, "TfrmMain")) != nullptr; }));
    const HWND go = ChildWithText(window, "Go");
    ASSERT_NE(go, nullptr);
    const HWND field =
        FindWindowExA(ChildWithText(window, " Program Options "), nullptr, "Edit", nullptr);
    ASSERT_NE(field, nullptr);
    char shown[1024] = {}, shortName[MAX_PATH] = {};
    SendMessageA(field, WM_GETTEXT, sizeof shown, reinterpret_cast<LPARAM>(shown));
    GetShortPathNameA(c.startFolder.c_str(), shortName, MAX_PATH);
    EXPECT_EQ(shown, c.shortName ? shortName : c.startFolder);
    if (!c.fillFolder.empty())
      SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.fillFolder.c_str()));

    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(test::PumpUntil([&] {
      return GetGUIThreadInfo(process.dwThreadId, &gui) && gui.hwndFocus == go;
    })) << "the focus is on "
        << gui.hwndFocus << ", not on Go";
    PostMessageA(gui.hwndFocus, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageA(gui.hwndFocus, WM_KEYUP, VK_RETURN, 0xC01C0001);

    ASSERT_TRUE(test::PumpUntil([&] { return !IsWindowEnabled(go) || FreeBytes(kExeDrive) == 0; }));
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowEnabled(go) && FreeBytes(kExeDrive) == 0; },
                                std::chrono::seconds(60)));

    // The browser opens from the field with Alt+Down, and is cancelled.
    PostMessageA(field, WM_SYSKEYDOWN, VK_DOWN, LPARAM{1} << 29);
    HWND browser = nullptr;
    ASSERT_TRUE(
        test::PumpUntil([&] { return (browser = WindowOf(process.dwProcessId, "#32770")); }));
    PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(test::PumpUntil([&] { return !IsWindow(browser); }));
    // The drive's root typed again, through the suggestions' hold on the field.
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    for (const char key : root) SendMessageA(field, WM_CHAR, key, 1);
    char typed[8] = {};
    SendMessageA(field, WM_GETTEXT, sizeof typed, reinterpret_cast<LPARAM>(typed));
    EXPECT_EQ(typed, root);

    // Only fill files of zeros, in the folder filled, and all its free space.
    long long written = 0;
    for (const std::string& name : test::FilesIn(filled)) {
      if (name.ends_with(".exe") || name.ends_with(".dll")) continue;
      EXPECT_EQ(name.rfind("_filldrive_", 0), 0u) << name;
      long long size = 0;
      EXPECT_TRUE(test::AllZero(filled + name, size)) << name;
      written += size;
    }
    EXPECT_EQ(written, freeAtStart);
    for (const std::string& name : test::FilesIn(c.startFolder))
      EXPECT_TRUE(filled == c.startFolder || name.ends_with(".exe") || name.ends_with(".dll"))
          << name;

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    for (const std::string& folder : {c.startFolder, cwd})
      for (const std::string& name : test::FilesIn(folder))
        EXPECT_FALSE(name.ends_with(".loaded")) << folder << name << " was loaded";
  }
  for (const std::string& folder : {root, cwd}) test::EmptyFolder(folder);
}

}  // namespace
}  // namespace brimvale
