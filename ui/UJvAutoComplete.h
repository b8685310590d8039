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
  // Makes one in-process COM object.
  using TCreateObject = HRESULT (*)(REFCLSID object, REFIID iid, void** created);
  static HRESULT CreateInProcess(REFCLSID object, REFIID iid, void** created);

  TJvAutoComplete() = default;
  TJvAutoComplete(const TJvAutoComplete&) = delete;
  TJvAutoComplete& operator=(const TJvAutoComplete&) = delete;

  // Where the objects come from: the system's (tests make one of them fail).
  TCreateObject CreateObject = CreateInProcess;

  // Any failure leaves the box without suggestions; nothing is reported.
  bool Attach(HWND edit);
  void Release();
  bool Attached() const { return static_cast<bool>(FAutoComplete); }

 private:
  bool Configure(IEnumString* lists, IAutoComplete* autoComplete) const;

  TComPtr<IAutoComplete> FAutoComplete;
  TComPtr<IEnumString> FLists;
};

}  // namespace brimvale
