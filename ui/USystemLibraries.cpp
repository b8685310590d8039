#include "ui/USystemLibraries.h"

#include <winver.h>

#include <string>

namespace brimvale {
namespace {

// Newer than the Windows XP headers the program is built with.
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

template <class TFunction>
TFunction Take(HMODULE module, const char* name) {
  return module ? reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

// True when the whole process now takes DLLs from the system folder only;
// `tryIt` false plays a system that cannot. Both calls are looked up:
// Windows XP SP3 has no SetDefaultDllDirectories, nor Vista, nor 7 without
// its update.
bool RestrictDllSearch(bool tryIt) {
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  const auto setDefaultDirectories = Take<BOOL(WINAPI*)(DWORD)>(kernel, "SetDefaultDllDirectories");
  const auto setDllDirectory = Take<BOOL(WINAPI*)(LPCSTR)>(kernel, "SetDllDirectoryA");
  // An empty folder takes the current folder out of the search.
  if (setDllDirectory) setDllDirectory("");
  return tryIt && setDefaultDirectories && setDefaultDirectories(kSearchSystem32);
}

// Where the search is restricted, a DLL's own imports follow it; where it is
// not, the altered search starts them in the DLL's folder and never looks in
// the program's.
HMODULE FromSystemFolder(const wchar_t* name, bool restricted) {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder) + L"\\" + name;
  return LoadLibraryExW(path.c_str(), nullptr, restricted ? 0 : LOAD_WITH_ALTERED_SEARCH_PATH);
}

// The DLLs, in the order they are loaded, and the functions taken from them.
// None is ever freed: a shell thread of the folder browser or of the
// completion may still run in one of them as the process ends.
class TSystemLibraries {
  const bool FRestricted;
  // The common controls load these by name as they start, and draw with
  // them: already loaded, they are not looked for in the program's folder.
  const HMODULE FUxTheme = FromSystemFolder(L"uxtheme.dll", FRestricted);
  const HMODULE FMsImg32 = FromSystemFolder(L"msimg32.dll", FRestricted);
  // By name, so that the manifest's activation context hands out version 6
  // from the system's side-by-side store, wherever the search goes.
  const HMODULE FComCtl32 = LoadLibraryA("comctl32.dll");
  const HMODULE FVersion = FromSystemFolder(L"version.dll", FRestricted);
  // Loaded by name later, by the shell for completion and the folder browser.
  const HMODULE FBrowseUi = FromSystemFolder(L"browseui.dll", FRestricted);

 public:
  explicit TSystemLibraries(bool restrictSearch);

// Each function under its own name, in its system declaration's type.
#define BRIMVALE_FUNCTION(module, name) \
  const decltype(&::name) name = Take<decltype(&::name)>(module, #name)
  BRIMVALE_FUNCTION(FComCtl32, InitCommonControlsEx);
  BRIMVALE_FUNCTION(FComCtl32, ImageList_Create);
  BRIMVALE_FUNCTION(FComCtl32, ImageList_AddMasked);
  BRIMVALE_FUNCTION(FComCtl32, ImageList_Destroy);
  BRIMVALE_FUNCTION(FComCtl32, ImageList_Draw);
  BRIMVALE_FUNCTION(FComCtl32, ImageList_DrawEx);
  BRIMVALE_FUNCTION(FComCtl32, ImageList_DrawIndirect);
  BRIMVALE_FUNCTION(FComCtl32, ImageList_GetIconSize);
  BRIMVALE_FUNCTION(FComCtl32, SetWindowSubclass);
  BRIMVALE_FUNCTION(FComCtl32, RemoveWindowSubclass);
  BRIMVALE_FUNCTION(FComCtl32, DefSubclassProc);
  BRIMVALE_FUNCTION(FUxTheme, IsThemeActive);
  BRIMVALE_FUNCTION(FUxTheme, IsAppThemed);
  BRIMVALE_FUNCTION(FUxTheme, OpenThemeData);
  BRIMVALE_FUNCTION(FUxTheme, CloseThemeData);
  BRIMVALE_FUNCTION(FUxTheme, DrawThemeBackground);
  BRIMVALE_FUNCTION(FVersion, GetFileVersionInfoSizeA);
  BRIMVALE_FUNCTION(FVersion, GetFileVersionInfoA);
  BRIMVALE_FUNCTION(FVersion, VerQueryValueA);
#undef BRIMVALE_FUNCTION
};

// The first call decides whether the search is restricted.
TSystemLibraries::TSystemLibraries(bool restrictSearch)
    : FRestricted(RestrictDllSearch(restrictSearch)) {}

const TSystemLibraries& Libraries(bool restrictSearch = true) {
  static const TSystemLibraries libraries(restrictSearch);
  return libraries;
}

// Calls the function that `Member` holds, or answers `fallback` without it.
template <auto Member, class TResult, class... TArgs>
TResult Call(TResult fallback, TArgs... args) {
  const auto function = Libraries().*Member;
  return function ? function(args...) : fallback;
}

using L = TSystemLibraries;

}  // namespace

void LoadSystemLibraries(bool restrictSearch) { Libraries(restrictSearch); }

namespace dll {

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
  return Call<&L::InitCommonControlsEx>(FALSE, controls);
}
HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow) {
  return Call<&L::ImageList_Create>(HIMAGELIST{}, width, height, flags, initial, grow);
}
int ImageList_AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask) {
  return Call<&L::ImageList_AddMasked>(-1, list, bitmap, mask);
}
BOOL ImageList_Destroy(HIMAGELIST list) { return Call<&L::ImageList_Destroy>(FALSE, list); }
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  return Call<&L::ImageList_Draw>(FALSE, list, index, dc, x, y, style);
}
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int width, int height,
                      COLORREF background, COLORREF foreground, UINT style) {
  return Call<&L::ImageList_DrawEx>(FALSE, list, index, dc, x, y, width, height, background,
                                    foreground, style);
}
BOOL ImageList_DrawIndirect(IMAGELISTDRAWPARAMS* parameters) {
  return Call<&L::ImageList_DrawIndirect>(FALSE, parameters);
}
BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height) {
  return Call<&L::ImageList_GetIconSize>(FALSE, list, width, height);
}
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
  return Call<&L::SetWindowSubclass>(FALSE, window, procedure, id, data);
}
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
  return Call<&L::RemoveWindowSubclass>(FALSE, window, procedure, id);
}
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Call<&L::DefSubclassProc>(LRESULT{}, window, message, wParam, lParam);
}

BOOL IsThemeActive() { return Call<&L::IsThemeActive>(FALSE); }
BOOL IsAppThemed() { return Call<&L::IsAppThemed>(FALSE); }
HTHEME OpenThemeData(HWND window, LPCWSTR classes) {
  return Call<&L::OpenThemeData>(HTHEME{}, window, classes);
}
HRESULT CloseThemeData(HTHEME theme) { return Call<&L::CloseThemeData>(E_FAIL, theme); }
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* bounds,
                            const RECT* clip) {
  return Call<&L::DrawThemeBackground>(E_FAIL, theme, dc, part, state, bounds, clip);
}

DWORD GetFileVersionInfoSizeA(LPCSTR file, DWORD* handle) {
  return Call<&L::GetFileVersionInfoSizeA>(DWORD{}, file, handle);
}
BOOL GetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD size, void* data) {
  return Call<&L::GetFileVersionInfoA>(FALSE, file, handle, size, data);
}
BOOL VerQueryValueA(const void* block, LPCSTR path, void** value, UINT* length) {
  return Call<&L::VerQueryValueA>(FALSE, block, path, value, length);
}

}  // namespace dll
}  // namespace brimvale
