#pragma once

// One small owner for every kind of handle and COM object the window layer
// holds: each is released once, on every path. Move-only; a raw handle that
// is not owned says so where it is kept.

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <uxtheme.h>

#include <utility>

#include "ui/USystemLibraries.h"

namespace brimvale {

// Owns one handle of a kind that `Free` releases.
template <class THandle, void (*Free)(THandle)>
class TOwner {
 public:
  TOwner() = default;
  explicit TOwner(THandle handle) : FHandle(handle) {}
  TOwner(TOwner&& other) noexcept : FHandle(std::exchange(other.FHandle, THandle{})) {}
  TOwner& operator=(TOwner&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.FHandle, THandle{}));
    return *this;
  }
  TOwner(const TOwner&) = delete;
  TOwner& operator=(const TOwner&) = delete;
  ~TOwner() { Reset(); }

  THandle Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != THandle{}; }
  void Reset(THandle handle = THandle{}) {
    if (FHandle != THandle{}) Free(FHandle);
    FHandle = handle;
  }

 private:
  THandle FHandle{};
};

namespace owners {
template <class T>
void DeleteGdiObject(T object) {
  DeleteObject(object);
}
inline void CloseTheme(HTHEME theme) { dll::CloseThemeData(theme); }
inline void DestroyImageList(HIMAGELIST list) { dll::ImageList_Destroy(list); }
inline void Unhook(HHOOK hook) { UnhookWindowsHookEx(hook); }
inline void FinishDrop(HDROP drop) { DragFinish(drop); }
inline void FreeTaskMemory(wchar_t* text) { CoTaskMemFree(text); }
// Item identifier lists belong to the shell's allocator.
inline void FreeItemIdList(LPITEMIDLIST item) {
  IMalloc* allocator = nullptr;
  if (FAILED(SHGetMalloc(&allocator))) return;
  allocator->Free(item);
  allocator->Release();
}
}  // namespace owners

using TFontOwner = TOwner<HFONT, owners::DeleteGdiObject<HFONT>>;
using TBitmapOwner = TOwner<HBITMAP, owners::DeleteGdiObject<HBITMAP>>;
using TThemeOwner = TOwner<HTHEME, owners::CloseTheme>;
using TImageListOwner = TOwner<HIMAGELIST, owners::DestroyImageList>;
using THookOwner = TOwner<HHOOK, owners::Unhook>;
using TDropOwner = TOwner<HDROP, owners::FinishDrop>;
using TItemIdListOwner = TOwner<LPITEMIDLIST, owners::FreeItemIdList>;
using TTaskTextOwner = TOwner<wchar_t*, owners::FreeTaskMemory>;  // text from CoTaskMemAlloc

// Owns one reference to a COM object and releases it once.
template <class T>
class TComPtr {
 public:
  TComPtr() = default;
  TComPtr(TComPtr&& other) noexcept : FObject(std::exchange(other.FObject, nullptr)) {}
  TComPtr& operator=(TComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      FObject = std::exchange(other.FObject, nullptr);
    }
    return *this;
  }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;
  ~TComPtr() { Reset(); }

  T* Get() const { return FObject; }
  T* operator->() const { return FObject; }
  explicit operator bool() const { return FObject != nullptr; }

  // For out-parameters: releases what is held first.
  T** Receive() {
    Reset();
    return &FObject;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

  void Reset() {
    if (FObject) std::exchange(FObject, nullptr)->Release();
  }

 private:
  T* FObject = nullptr;
};

// COM for the calling thread, as a single-threaded apartment, while alive.
class TComInitializer {
 public:
  TComInitializer() : FInitialized(SUCCEEDED(CoInitialize(nullptr))) {}
  TComInitializer(const TComInitializer&) = delete;
  TComInitializer& operator=(const TComInitializer&) = delete;
  ~TComInitializer() {
    if (FInitialized) CoUninitialize();
  }

 private:
  bool FInitialized;
};

// Selects an object into a device context and puts the old one back.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) : FDC(dc), FOld(SelectObject(dc, object)) {}
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;
  ~TSelectObject() { SelectObject(FDC, FOld); }

 private:
  HDC FDC;  // not owned
  HGDIOBJ FOld;
};

// A device context of a window, released with it: the client area's
// (GetDC; the screen's for no window) or the whole window's, frame included
// (GetWindowDC).
template <HDC(WINAPI* Acquire)(HWND)>
class TDeviceContext {
 public:
  explicit TDeviceContext(HWND window) : FWindow(window), FDC(Acquire(window)) {}
  TDeviceContext(const TDeviceContext&) = delete;
  TDeviceContext& operator=(const TDeviceContext&) = delete;
  ~TDeviceContext() { ReleaseDC(FWindow, FDC); }
  HDC Get() const { return FDC; }

 private:
  HWND FWindow;
  HDC FDC;
};
using TClientDC = TDeviceContext<GetDC>;
using TWindowDC = TDeviceContext<GetWindowDC>;

// A memory device context compatible with the screen. It measures text as
// a window's context does, without asking the window system for one (a
// round trip to the server under Wine).
class TMemoryDC {
 public:
  TMemoryDC() : FDC(CreateCompatibleDC(nullptr)) {}
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  ~TMemoryDC() {
    if (FDC) DeleteDC(FDC);
  }
  HDC Get() const { return FDC; }

 private:
  HDC FDC;
};

}  // namespace brimvale
