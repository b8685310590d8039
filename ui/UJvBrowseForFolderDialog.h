#pragma once

#include <windows.h>

#include <shlobj.h>

#include <string>

#include "ui/UOwners.h"

namespace brimvale {

class TApplication;
class TWindowsDisabled;

// The shell library's file version, major in the high word and minor in the
// low one; read once per process; 0 when it has no readable version.
DWORD ShellVersion();

// The browser's flag word for a shell library of `shellVersion`: the status
// line always, the new style (with its new-folder button) from version 5.0.
UINT BrowseFlags(DWORD shellVersion, bool statusAvailable, bool newDialogStyle);

// One run of the system's folder browser, modal to the whole program.
class TJvBrowseForFolderDialog {
 public:
  // Errors in the browser's callback go to `application`'s box.
  explicit TJvBrowseForFolderDialog(const TApplication& application) : FApplication(application) {}
  TJvBrowseForFolderDialog(const TJvBrowseForFolderDialog&) = delete;
  TJvBrowseForFolderDialog& operator=(const TJvBrowseForFolderDialog&) = delete;

  std::string Directory;  // the start folder in, the chosen item's parsing name out
  std::string Title;      // the line above the tree; empty for none
  bool StatusAvailable = true;
  bool NewDialogStyle = true;
  std::string DisplayName;  // the chosen item's display name
  // Where the shell library's version comes from (tests play older shells).
  DWORD (*VersionSource)() = ShellVersion;

  // True when the user chose an item; throws std::runtime_error when the
  // shell is too old to have a browser.
  bool Execute();

 private:
  static int CALLBACK Callback(HWND dialog, UINT message, LPARAM lParam, LPARAM self);
  static LRESULT CALLBACK BrowserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self);
  void OnInitialized(HWND dialog);
  void OnSelectionChanged(HWND dialog, LPCITEMIDLIST item);
  void ShowStatus(HWND dialog, const std::wstring& path);

  const TApplication& FApplication;
  bool FNewStyle = false;
  bool FCentred = false;                  // the new style, on its first show
  TWindowsDisabled* FDisabled = nullptr;  // the program's windows, while it runs
  TItemIdListOwner FItem;                 // the chosen item, kept while the wrapper lives
};

}  // namespace brimvale
