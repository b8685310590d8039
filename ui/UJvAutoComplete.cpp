#include "ui/UJvAutoComplete.h"

#include <shlguid.h>

namespace brimvale {

HRESULT TJvAutoComplete::CreateInProcess(REFCLSID object, REFIID iid, void** created) {
  return CoCreateInstance(object, nullptr, CLSCTX_INPROC_SERVER, iid, created);
}

bool TJvAutoComplete::Attach(HWND edit) {
  Release();
  TComPtr<IAutoComplete> autoComplete;
  TComPtr<IEnumString> lists;
  if (FAILED(CreateObject(CLSID_AutoComplete, IID_IAutoComplete, autoComplete.ReceiveVoid())))
    return false;
  if (FAILED(CreateObject(CLSID_ACLMulti, IID_IEnumString, lists.ReceiveVoid()))) return false;
  if (FAILED(autoComplete->Init(edit, lists.Get(), nullptr, nullptr))) return false;
  // From here on the object works on the box, and the box keeps it alive:
  // a failure must switch it off, or it would go on suggesting with only
  // some of its options.
  if (!Configure(lists.Get(), autoComplete.Get())) {
    autoComplete->Enable(FALSE);
    return false;
  }
  FAutoComplete = std::move(autoComplete);
  FLists = std::move(lists);
  return true;
}

// Existing file-system folders only, suggested in a list.
bool TJvAutoComplete::Configure(IEnumString* lists, IAutoComplete* autoComplete) const {
  TComPtr<IObjMgr> manager;
  if (FAILED(lists->QueryInterface(IID_IObjMgr, manager.ReceiveVoid()))) return false;
  TComPtr<IUnknown> folders;
  if (FAILED(CreateObject(CLSID_ACListISF, IID_IUnknown, folders.ReceiveVoid()))) return false;
  if (FAILED(manager->Append(folders.Get()))) return false;
  TComPtr<IACList2> folderOptions;
  if (FAILED(folders->QueryInterface(IID_IACList2, folderOptions.ReceiveVoid()))) return false;
  if (FAILED(folderOptions->SetOptions(ACLO_FILESYSONLY | ACLO_FILESYSDIRS))) return false;
  TComPtr<IAutoComplete2> options;
  if (FAILED(autoComplete->QueryInterface(IID_IAutoComplete2, options.ReceiveVoid()))) return false;
  return SUCCEEDED(options->SetOptions(ACO_AUTOSUGGEST));
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
