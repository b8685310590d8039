#include "ui/UJvFileDirEdit.h"

#include <shellapi.h>

#include "engine/UPathText.h"
#include "engine/platform/UWin32Text.h"
#include "ui/UFileUtil.h"

namespace brimvale {
namespace {

constexpr UINT kBrowserErrorMode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;

}  // namespace

TJvFileDirEdit::~TJvFileDirEdit() {
  // Goes while this layer still is one, so that its own clean-up runs.
  if (Handle()) DestroyWindow(Handle());
}

void TJvFileDirEdit::Change() {
  // Only what stands before the first line break stays; the shortened text
  // is a change of its own, and the broken one is never announced.
  const std::string text = Text();
  std::string::size_type cut = text.find('\n');
  if (cut == std::string::npos) cut = text.find('\r');
  if (cut != std::string::npos) {
    SetText(text.substr(0, cut));
    return;
  }
  TJvCustomComboEdit::Change();
}

void TJvFileDirEdit::WindowCreated() {
  DragAcceptFiles(Handle(), AcceptFiles);
  FAutoComplete.CreateObject = CreateAutoCompleteObject;
  FAutoComplete.Attach(Handle());
}

void TJvFileDirEdit::WindowDestroying() {
  DragAcceptFiles(Handle(), FALSE);
  FAutoComplete.Release();
}

bool TJvFileDirEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_DROPFILES) return false;
  OnDropFiles(reinterpret_cast<HDROP>(wParam));
  result = 0;
  return true;
}

std::string TJvFileDirEdit::DroppedFolder(const std::string& path) {
  // A file gives its folder, with the backslash; anything else stands.
  return EntryKind(path) == TEntryKind::File ? FolderOf(path) : path;
}

void TJvFileDirEdit::OnDropFiles(HDROP drop) {
  const TDropOwner owner(drop);  // released however the text is taken
  if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0) return;
  // The first item only, whole: a path cut short would name another folder.
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  std::wstring path(length + 1, L'\0');
  path.resize(DragQueryFileW(drop, 0, path.data(), length + 1));
  // Wine counts one (empty) item in a drop of none.
  if (path.empty()) return;
  SetText(DroppedFolder(ProcessPath(path)));
}

TJvFileDirEdit::TSystemErrorsOff::TSystemErrorsOff() : FSavedMode(SetErrorMode(kBrowserErrorMode)) {
  // Added to what the process has in force, not in its place.
  SetErrorMode(FSavedMode | kBrowserErrorMode);
}

TJvFileDirEdit::TSystemErrorsOff::~TSystemErrorsOff() { SetErrorMode(FSavedMode); }

}  // namespace brimvale
