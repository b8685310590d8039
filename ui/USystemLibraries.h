#pragma once

// Where the program's DLLs come from. Windows takes a DLL that is not one of
// its known DLLs from the program's own folder first, and a program is often
// started from a Downloads folder: a DLL left there under a system DLL's name
// would run inside it. So the program imports only known DLLs, and the
// others it calls into are loaded here, from the system folder, before any
// window or control exists. Their calls below stand in for the system's,
// with the same names and shapes.

#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

namespace brimvale {

// Restricts the process's DLL search to the system folder where the system
// can, takes the current folder out of it where it can, and loads the DLLs
// that the program, the common controls and the shell load by name from the
// system folder, so that a later load by name finds them loaded. Done once,
// the first time it or one of the calls below runs: the program does it
// first thing. `restrictSearch` false plays a Windows that cannot restrict
// the search (for the tests of that case).
void LoadSystemLibraries(bool restrictSearch = true);

// Calls into them, qualified (dll::OpenThemeData) since the system's own
// declarations stand beside them.
namespace dll {

// The common controls, version 6 as the manifest asks.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);
HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow);
int ImageList_AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask);
BOOL ImageList_Destroy(HIMAGELIST list);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int width, int height,
                      COLORREF background, COLORREF foreground, UINT style);
BOOL ImageList_DrawIndirect(IMAGELISTDRAWPARAMS* parameters);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height);
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Visual styles; without uxtheme.dll they count as off.
BOOL IsThemeActive();
BOOL IsAppThemed();
HTHEME OpenThemeData(HWND window, LPCWSTR classes);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* bounds,
                            const RECT* clip);

// A file's version information.
DWORD GetFileVersionInfoSizeA(LPCSTR file, DWORD* handle);
BOOL GetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD size, void* data);
BOOL VerQueryValueA(const void* block, LPCSTR path, void** value, UINT* length);

}  // namespace dll
}  // namespace brimvale
