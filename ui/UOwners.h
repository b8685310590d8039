#pragma once

#include <windows.h>

#include <utility>

namespace brimvale {

// Owns one GDI object (font, brush, bitmap) and deletes it once.
template <class THandle>
class TGdiOwner {
 public:
  TGdiOwner() = default;
  explicit TGdiOwner(THandle handle) : handle_(handle) {}
  TGdiOwner(TGdiOwner&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  TGdiOwner& operator=(TGdiOwner&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  TGdiOwner(const TGdiOwner&) = delete;
  TGdiOwner& operator=(const TGdiOwner&) = delete;
  ~TGdiOwner() { Reset(); }

  THandle Get() const { return handle_; }
  void Reset(THandle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  THandle handle_ = nullptr;
};

using TFontOwner = TGdiOwner<HFONT>;

// COM for the calling thread, as a single-threaded apartment, while alive.
class TComInitializer {
 public:
  TComInitializer() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
  TComInitializer(const TComInitializer&) = delete;
  TComInitializer& operator=(const TComInitializer&) = delete;
  ~TComInitializer() {
    if (ok_) CoUninitialize();
  }

 private:
  bool ok_;
};

// Selects an object into a device context and puts the old one back.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;
  ~TSelectObject() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window's device context, released with the window.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  ~TWindowDC() { ReleaseDC(window_, dc_); }
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory device context compatible with the screen, deleted once. It
// measures text as a window's context does, without asking the window
// system for one (a round trip to the server under Wine).
class TMemoryDC {
 public:
  TMemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  ~TMemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace brimvale
