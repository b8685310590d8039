#pragma once

#include <windows.h>

#include <objbase.h>

#include <utility>

namespace brimvale {

// Owns one reference to a COM object and releases it once.
template <class T>
class TComPtr {
 public:
  TComPtr() = default;
  TComPtr(TComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  TComPtr& operator=(TComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;
  ~TComPtr() { Reset(); }

  T* Get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // For out-parameters: releases what is held first.
  T** Receive() {
    Reset();
    return &object_;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

  void Reset() {
    if (object_) std::exchange(object_, nullptr)->Release();
  }

 private:
  T* object_ = nullptr;
};

}  // namespace brimvale
