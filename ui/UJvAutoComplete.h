#pragma once

#include <windows.h>

#include <shldisp.h>
#include <shlobj.h>

#include "ui/UOwners.h"

namespace brimvale {

// The shell's drop-down suggestions of existing file-system folders for one
// edit box; attached with the window and released with it.
class TJvAutoComplete {
 public:
  TJvAutoComplete() = default;
  TJvAutoComplete(const TJvAutoComplete&) = delete;
  TJvAutoComplete& operator=(const TJvAutoComplete&) = delete;

  // Any failure leaves the box without suggestions; nothing is reported.
  bool Attach(HWND edit);
  void Release();
  bool Attached() const { return static_cast<bool>(FAutoComplete); }

 private:
  TComPtr<IAutoComplete> FAutoComplete;
  TComPtr<IEnumString> FLists;
};

}  // namespace brimvale
