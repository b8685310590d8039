#pragma once

#include <windows.h>

#include <string>

#include "ui/UJvAutoComplete.h"
#include "ui/UJvCustomComboEdit.h"
#include "ui/UOwners.h"

namespace brimvale {

// The combo edit for paths: takes files dropped from the shell, suggests
// existing folders while typing, keeps only the text before a line break,
// and keeps the system's error boxes away while a browser is open.
class TJvFileDirEdit : public TJvCustomComboEdit {
 public:
  explicit TJvFileDirEdit(const TApplication& application) : TJvCustomComboEdit(application) {}
  ~TJvFileDirEdit() override;

  bool AcceptFiles = true;
  // Where the suggestion objects come from: the system's unless replaced
  // (tests keep them to ask what they were told).
  TJvAutoComplete::TCreateObject CreateAutoCompleteObject = TJvAutoComplete::CreateInProcess;

  // What a drop of `path` (the first item) puts into the text.
  static std::string DroppedFolder(const std::string& path);

 protected:
  void Change() override;
  void WindowCreated() override;
  void WindowDestroying() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // Error mode 0x8001 added while a browser runs; the old mode comes back
  // with the guard, whatever happens in between.
  class TSystemErrorsOff {
   public:
    TSystemErrorsOff();
    TSystemErrorsOff(const TSystemErrorsOff&) = delete;
    TSystemErrorsOff& operator=(const TSystemErrorsOff&) = delete;
    ~TSystemErrorsOff();

   private:
    UINT FSavedMode;
  };

 private:
  void OnDropFiles(HDROP drop);

  TComInitializer FCom;  // the shell's objects want an apartment on this thread
  TJvAutoComplete FAutoComplete;
};

}  // namespace brimvale
