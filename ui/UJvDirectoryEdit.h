#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/UJvFileDirEdit.h"

namespace brimvale {

// Runs a folder browser: `directory` holds the start folder on the way in
// and the chosen folder on the way out; false when the user cancelled.
using TBrowseFunction = std::function<bool(std::string& directory)>;

// The folder field: a path edit whose button (or Alt+Down) opens the
// system's folder browser and takes the chosen folder as its text.
class TJvDirectoryEdit : public TJvFileDirEdit {
 public:
  explicit TJvDirectoryEdit(const TApplication& application);

  std::string DialogText;  // the browser's line above its tree
  // The last folder chosen in the browser that existed; the browser's start
  // when the text is empty.
  std::string InitialDir;
  // The browser; the system's unless replaced (tests replace it).
  TBrowseFunction Browse;

  // Opens the browser as the button does.
  void PopupDropDown();
  // The folder the browser starts at for the present text.
  std::string StartFolder() const;

 protected:
  void DoClick() override { PopupDropDown(); }
  void WindowCreated() override;
  void SystemColorsChanged() override { UpdateGlyph(); }

 private:
  bool RunSystemBrowser(std::string& directory);
  void UpdateGlyph();
};

}  // namespace brimvale
