#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace brimvale {

// The folder field as a plain one-line edit box: the text and one OnChange
// per change of it.
class TPlainFolderEdit {
 public:
  TPlainFolderEdit() = default;
  TPlainFolderEdit(const TPlainFolderEdit&) = delete;
  TPlainFolderEdit& operator=(const TPlainFolderEdit&) = delete;

  std::function<void()> OnChange;

  // Creates the edit box as a child of `parent`; `font` is not owned.
  HWND Create(HWND parent, int id, const RECT& bounds, HFONT font, const char* text);
  HWND Handle() const { return handle_; }

  std::string Text() const;
  // Raises OnChange when the text changes; the same text raises nothing.
  void SetText(const std::string& text);
  void SetEnabled(bool enabled);

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self);

  HWND handle_ = nullptr;
};

}  // namespace brimvale
