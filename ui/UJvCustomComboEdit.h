#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/UJvEditButton.h"
#include "ui/UOwners.h"
#include "ui/UWindow.h"

namespace brimvale {

class TApplication;

// Asks whether the platform's visual styles are on.
using TVisualStyleQuery = std::function<bool()>;
bool VisualStylesActive();

// An edit box with a push button inside its right border. The edit box is
// multi-line underneath (so that its text rectangle can leave room for the
// button) yet shows and scrolls one line. Every change of the text, from
// whatever source, raises OnChange exactly once.
class TJvCustomComboEdit : private TSubclassedWindow {
 public:
  // Errors that escape the field's handlers go to `application`'s box.
  explicit TJvCustomComboEdit(const TApplication& application);
  ~TJvCustomComboEdit() override;

  std::function<void()> OnChange;

  bool AutoSelect = true;
  int ButtonWidth = 21;
  // A shortcut: the flags of the keys held, plus the virtual key.
  static constexpr WORD kAltFlag = 0x8000, kCtrlFlag = 0x4000, kShiftFlag = 0x2000;
  WORD ClickKey = kAltFlag | VK_DOWN;

  // Replaces the visual-style query (tests reach the classic look this way);
  // takes effect at once.
  void SetVisualStyleQuery(TVisualStyleQuery query);
  bool Themed() const { return FStyleQuery(); }

  // Creates the edit box as a child of `parent`; `font` is not owned.
  HWND Create(HWND parent, int id, const RECT& bounds, HFONT font, const char* text);
  HWND Handle() const { return FHandle; }
  HWND ButtonHandle() const { return FButton.Handle(); }

  // The rectangle handed to the edit box for its text (which the box may
  // narrow further by its margins), in client coordinates.
  RECT TextRect() const;

  std::string Text() const;
  // Replaces the text when it differs, raising OnChange once; the same text
  // raises nothing.
  void SetText(const std::string& text);
  // The button follows the field.
  void SetEnabled(bool enabled);
  bool ReadOnly() const;

 protected:
  // Raises OnChange; a layer may look at the new text first.
  virtual void Change();
  // A click of the button or the click key.
  virtual void DoClick() {}
  // The window exists / is about to go.
  virtual void WindowCreated() {}
  virtual void WindowDestroying() {}
  // The system colours (and with them perhaps the visual style) changed.
  virtual void SystemColorsChanged() {}
  // A layer's own messages; true when handled, with `result` set.
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  TJvEditButton& Button() { return FButton; }
  const TApplication& Application() const { return Errors(); }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void WindowGone() override;
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  void OnChangeNotice();
  void OnClear();
  LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  LRESULT OnSize(WPARAM wParam, LPARAM lParam);
  LRESULT OnStyleChanged(WPARAM wParam, LPARAM lParam);
  bool OnSetCursor(HWND over);
  LRESULT OnEnable(WPARAM wParam, LPARAM lParam);
  LRESULT OnColorsChanged(UINT message, WPARAM wParam, LPARAM lParam);
  bool HasThemedFrame() const;
  LRESULT OnKeyDown(UINT message, WPARAM key, LPARAM lParam);
  bool OnChar(WPARAM character);
  LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
  void OnNcPaint(HRGN region);
  void FrameChanged();
  void UpdateEditRect();
  void EnsureMinimumHeight();
  void OfferDialogKey(WPARAM key);

  HWND FHandle = nullptr;
  TJvEditButton FButton;
  TVisualStyleQuery FStyleQuery;
  TThemeOwner FEditTheme;              // for the one-pixel themed frame, opened on first paint
  std::string FAnnouncedText;          // the text OnChange last saw
  int FMessageDepth = 0;               // messages of the box being handled, nested
  bool FAnnouncedThisMessage = false;  // OnChange was raised within the outermost one
  bool FLeftButtonDown = false;        // the focus comes from a press in the text
};

}  // namespace brimvale
