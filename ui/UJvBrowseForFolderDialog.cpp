#include "ui/UJvBrowseForFolderDialog.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <vector>

#include "engine/platform/UWin32Text.h"
#include "ui/UWindow.h"

namespace brimvale {
namespace {

constexpr DWORD kVersion4 = 0x00040000, kVersion5 = 0x00050000;
constexpr int kStatusLineId = 0x3743;  // the plain browser's status line

void CentreOnWorkArea(HWND dialog) {
  RECT work, client;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetClientRect(dialog, &client);
  const int left = ((work.right - work.left) - client.right) / 2;
  const int top = ((work.bottom - work.top) - client.bottom) / 2;
  SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string ParsingName(LPCITEMIDLIST item) {
  TComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.Receive()))) return {};
  STRRET name{};
  if (FAILED(desktop->GetDisplayNameOf(item, SHGDN_FORPARSING, &name))) return {};
  // Whichever form the shell chose, wide; the call frees the shell's string.
  wchar_t* text = nullptr;
  if (FAILED(StrRetToStrW(&name, item, &text))) return {};
  const TTaskTextOwner owner(text);
  return ProcessPath(text);
}

}  // namespace

DWORD ShellVersion() {
  static const DWORD version = []() -> DWORD {
    DWORD unused = 0;
    const DWORD size = dll::GetFileVersionInfoSizeA("shell32.dll", &unused);
    if (!size) return 0;
    std::vector<char> data(size);
    if (!dll::GetFileVersionInfoA("shell32.dll", 0, size, data.data())) return 0;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!dll::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) ||
        !info || length < sizeof *info)
      return 0;
    return info->dwFileVersionMS;
  }();
  return version;
}

UINT BrowseFlags(DWORD shellVersion, bool statusAvailable, bool newDialogStyle) {
  UINT flags = statusAvailable ? BIF_STATUSTEXT : 0;
  if (newDialogStyle && shellVersion >= kVersion5) flags |= BIF_NEWDIALOGSTYLE;
  return flags;
}

bool TJvBrowseForFolderDialog::Execute() {
  const DWORD version = VersionSource ? VersionSource() : ShellVersion();
  if (version < kVersion4) throw std::runtime_error("Shell not compatible with BrowseForFolder");
  const UINT flags = BrowseFlags(version, StatusAvailable, NewDialogStyle);
  FNewStyle = (flags & BIF_NEWDIALOGSTYLE) != 0;

  HWND owner = GetActiveWindow();
  if (!owner) owner = GetForegroundWindow();
  std::optional<TComInitializer> com;
  if (FNewStyle) com.emplace();
  TWindowsDisabled disabled;
  FDisabled = &disabled;
  struct TForget {
    TWindowsDisabled*& disabled;
    ~TForget() { disabled = nullptr; }
  } forget{FDisabled};

  char displayName[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = Title.empty() ? nullptr : Title.c_str();
  info.ulFlags = flags;
  info.lpfn = Callback;
  info.lParam = reinterpret_cast<LPARAM>(this);
  FItem.Reset(SHBrowseForFolderA(&info));
  if (!FItem) return false;
  DisplayName = displayName;
  Directory = ParsingName(FItem.Get());
  return true;
}

int CALLBACK TJvBrowseForFolderDialog::Callback(HWND dialog, UINT message, LPARAM lParam,
                                                LPARAM self) {
  auto* browser = reinterpret_cast<TJvBrowseForFolderDialog*>(self);
  return Guarded(browser->FApplication, 0, [&] {
    switch (message) {
      case BFFM_INITIALIZED:
        browser->OnInitialized(dialog);
        break;
      case BFFM_SELCHANGED:
        browser->OnSelectionChanged(dialog, reinterpret_cast<LPCITEMIDLIST>(lParam));
        break;
    }
    return 0;
  });
}

LRESULT CALLBACK TJvBrowseForFolderDialog::BrowserProc(HWND dialog, UINT message, WPARAM wParam,
                                                       LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  auto* browser = reinterpret_cast<TJvBrowseForFolderDialog*>(self);
  switch (message) {
    case WM_SHOWWINDOW:
      // The new style sizes itself after its callback has run: it is
      // centred when it first shows.
      if (wParam && browser->FNewStyle && !browser->FCentred) {
        const LRESULT result = dll::DefSubclassProc(dialog, message, wParam, lParam);
        browser->FCentred = true;
        CentreOnWorkArea(dialog);
        return result;
      }
      break;
    case WM_WINDOWPOSCHANGING:
      // Closing hides the browser first, and the activation moves on then.
      if (!(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW)) break;
      [[fallthrough]];
    case WM_DESTROY:
      if (browser->FDisabled) browser->FDisabled->Enable();
      break;
    case WM_NCDESTROY:
      dll::RemoveWindowSubclass(dialog, BrowserProc, 0);
      break;
  }
  return dll::DefSubclassProc(dialog, message, wParam, lParam);
}

void TJvBrowseForFolderDialog::OnInitialized(HWND dialog) {
  FCentred = false;
  dll::SetWindowSubclass(dialog, BrowserProc, 0, reinterpret_cast<DWORD_PTR>(this));
  if (!FNewStyle) CentreOnWorkArea(dialog);
  if (!Directory.empty())
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(Directory.c_str()));
  if (!FNewStyle) ShowStatus(dialog, WideText(Directory));
}

void TJvBrowseForFolderDialog::OnSelectionChanged(HWND dialog, LPCITEMIDLIST item) {
  // Wide, where a path of MAX_PATH characters always fits.
  wchar_t path[MAX_PATH] = {};
  if (!item || !SHGetPathFromIDListW(item, path)) path[0] = L'\0';
  if (!FNewStyle) ShowStatus(dialog, path);
}

void TJvBrowseForFolderDialog::ShowStatus(HWND dialog, const std::wstring& path) {
  // Shortened as it measures in the status line's font: wide, since GDI
  // reads 8-bit text in the system's code page, not the process's.
  std::wstring text = path;
  text.resize(std::max<std::size_t>(text.size(), MAX_PATH) + 1);
  if (const HWND status = GetDlgItem(dialog, kStatusLineId)) {
    RECT bounds;
    GetClientRect(status, &bounds);
    TClientDC dc(status);
    TSelectObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(status, WM_GETFONT, 0, 0)));
    PathCompactPathW(dc.Get(), text.data(), static_cast<UINT>(bounds.right));
  }
  text.resize(text.find(L'\0'));
  SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(ProcessText(text).c_str()));
}

}  // namespace brimvale
