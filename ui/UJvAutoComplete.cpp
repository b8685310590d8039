#include "ui/UJvAutoComplete.h"

#include <shlguid.h>

namespace brimvale {

bool TJvAutoComplete::Attach(HWND edit) {
  Release();
  TComPtr<IAutoComplete> autoComplete;
  TComPtr<IEnumString> lists;
  if (FAILED(CoCreateInstance(CLSID_AutoComplete, nullptr, CLSCTX_INPROC_SERVER, IID_IAutoComplete,
                              autoComplete.ReceiveVoid())))
    return false;
  if (FAILED(CoCreateInstance(CLSID_ACLMulti, nullptr, CLSCTX_INPROC_SERVER, IID_IEnumString,
                              lists.ReceiveVoid())))
    return false;
  if (FAILED(autoComplete->Init(edit, lists.Get(), nullptr, nullptr))) return false;

  TComPtr<IObjMgr> manager;
  if (FAILED(lists->QueryInterface(IID_IObjMgr, manager.ReceiveVoid()))) return false;
  TComPtr<IUnknown> folders;
  if (FAILED(CoCreateInstance(CLSID_ACListISF, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                              folders.ReceiveVoid())))
    return false;
  if (FAILED(manager->Append(folders.Get()))) return false;
  TComPtr<IACList2> folderOptions;
  if (FAILED(folders->QueryInterface(IID_IACList2, folderOptions.ReceiveVoid()))) return false;
  if (FAILED(folderOptions->SetOptions(ACLO_FILESYSONLY | ACLO_FILESYSDIRS))) return false;

  TComPtr<IAutoComplete2> options;
  if (FAILED(autoComplete->QueryInterface(IID_IAutoComplete2, options.ReceiveVoid()))) return false;
  if (FAILED(options->SetOptions(ACO_AUTOSUGGEST))) return false;

  FAutoComplete = std::move(autoComplete);
  FLists = std::move(lists);
  return true;
}

void TJvAutoComplete::Release() {
  // Switching the suggestions off lets the object give up the edit box now,
  // not whenever its last reference goes.
  if (FAutoComplete) {
    TComPtr<IAutoComplete2> options;
    if (SUCCEEDED(FAutoComplete->QueryInterface(IID_IAutoComplete2, options.ReceiveVoid())))
      options->SetOptions(ACO_NONE);
    FAutoComplete->Enable(FALSE);
  }
  FLists.Reset();
  FAutoComplete.Reset();
}

}  // namespace brimvale
