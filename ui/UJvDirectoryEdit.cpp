#include "ui/UJvDirectoryEdit.h"

#include "ui/UFileUtil.h"
#include "ui/UJvBrowseForFolderDialog.h"
#include "ui/UJvGlyphs.h"

namespace brimvale {

TJvDirectoryEdit::TJvDirectoryEdit(const TApplication& application) : TJvFileDirEdit(application) {
  Browse = [this](std::string& directory) { return RunSystemBrowser(directory); };
}

void TJvDirectoryEdit::WindowCreated() {
  TJvFileDirEdit::WindowCreated();
  UpdateGlyph();
}

void TJvDirectoryEdit::UpdateGlyph() {
  Button().SetGlyph(FolderGlyphs(),
                    FolderGlyphIndex(Themed() ? TFolderGlyph::Themed : TFolderGlyph::Classic));
}

std::string TJvDirectoryEdit::StartFolder() const {
  std::string folder = Text();
  if (folder.empty()) folder = InitialDir;
  if (folder.empty() || !DirectoryExists(folder)) return std::string(1, '\\');
  return folder;
}

void TJvDirectoryEdit::PopupDropDown() {
  if (ReadOnly()) return;
  std::string folder = StartFolder();
  bool chosen = false;
  {
    TSystemErrorsOff errorsOff;
    chosen = Browse && Browse(folder);
  }
  if (IsWindowEnabled(Handle()) && IsWindowVisible(Handle())) SetFocus(Handle());
  if (!chosen) return;
  // What is selected now goes first (the edit box announces that change),
  // then the chosen folder replaces the whole text.
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  if (start != end) SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
  SetText(folder);
  if (!folder.empty() && DirectoryExists(folder)) InitialDir = folder;
}

bool TJvDirectoryEdit::RunSystemBrowser(std::string& directory) {
  TJvBrowseForFolderDialog dialog(Application());
  dialog.Directory = directory;
  dialog.Title = DialogText;
  dialog.StatusAvailable = true;
  dialog.NewDialogStyle = true;  // the field allows new folders
  if (!dialog.Execute()) return false;
  directory = dialog.Directory;
  return true;
}

}  // namespace brimvale
