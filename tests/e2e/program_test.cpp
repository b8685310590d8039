#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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
  HWND window;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM context) {
  auto* found = reinterpret_cast<TFound*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (owner == found->process && std::string(name) == "TfrmMain" && IsWindowVisible(window)) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

HWND MainWindowOf(DWORD process) {
  TFound found{process, nullptr};
  EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&found));
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

// The real program, started from the root of a small drive: Enter starts a
// run (Go has the focus) that fills the drive it was started from.
TEST(Program, EnterFillsTheDriveItWasStartedFrom) {
  test::EmptyFolder(kExeDrive);
  const std::string exe = std::string(kExeDrive) + "brimvale.exe";
  ASSERT_TRUE(CopyFileA((OwnFolder() + "brimvale.exe").c_str(), exe.c_str(), FALSE));
  const long long freeAtStart = FreeBytes(kExeDrive);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + exe + "\"";
  ASSERT_TRUE(CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             "C:\\", &startup, &process));
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
  ASSERT_TRUE(
      test::PumpUntil([&] { return (window = MainWindowOf(process.dwProcessId)) != nullptr; }));
  const HWND go = ChildWithText(window, "Go");
  ASSERT_NE(go, nullptr);

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

  long long written = 0;
  for (const std::string& name : test::FilesIn(kExeDrive)) {
    if (name == "brimvale.exe") continue;
    EXPECT_EQ(name.rfind("_filldrive_", 0), 0u) << name;
    long long size = 0;
    EXPECT_TRUE(test::AllZero(std::string(kExeDrive) + name, size)) << name;
    written += size;
  }
  EXPECT_EQ(written, freeAtStart);
  EXPECT_TRUE(test::FilesIn(kExeDrive).size() > 1);

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
}

}  // namespace
}  // namespace brimvale
