#include "ui/UPlainFolderEdit.h"

#include <commctrl.h>

#include "ui/UControls.h"

namespace brimvale {

HWND TPlainFolderEdit::Create(HWND parent, int id, const RECT& bounds, HFONT font,
                              const char* text) {
  handle_ = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", text,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, bounds.left,
                            bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleA(nullptr), nullptr);
  if (!handle_) return nullptr;
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetWindowSubclass(handle_, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
  return handle_;
}

std::string TPlainFolderEdit::Text() const { return WindowText(handle_); }

void TPlainFolderEdit::SetText(const std::string& text) {
  // A one-line edit box announces every set-text, changed or not.
  SetWindowTextIfChanged(handle_, text);
}

void TPlainFolderEdit::SetEnabled(bool enabled) { EnableWindow(handle_, enabled); }

LRESULT CALLBACK TPlainFolderEdit::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  if (message == CN_COMMAND && HIWORD(wParam) == EN_CHANGE) {
    auto* field = reinterpret_cast<TPlainFolderEdit*>(self);
    if (field->OnChange) field->OnChange();
    return 1;
  }
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, SubclassProc, 0);
    reinterpret_cast<TPlainFolderEdit*>(self)->handle_ = nullptr;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace brimvale
