#pragma once

#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <functional>

namespace brimvale {

// The push button inside the folder field: a child window of the edit box,
// drawn themed or classic, with a picture from an image list centred on it.
class TJvEditButton {
 public:
  TJvEditButton() = default;
  TJvEditButton(const TJvEditButton&) = delete;
  TJvEditButton& operator=(const TJvEditButton&) = delete;
  ~TJvEditButton();

  std::function<void()> OnClick;
  // Whether visual styles are on; asked at every paint.
  std::function<bool()> Themed;

  HWND Create(HWND edit);
  HWND Handle() const { return handle_; }
  // `images` is not owned.
  void SetGlyph(HIMAGELIST images, int index);
  bool Pressed() const { return pressed_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnLeftDown();
  void OnMouseMove(POINT point);
  void OnLeftUp(POINT point);
  void Paint(HDC dc);
  void PaintThemed(HDC dc, const RECT& bounds);
  void PaintClassic(HDC dc, const RECT& bounds);
  void DrawGlyph(HDC dc, const RECT& bounds, int shift, bool enabled);
  void SetPressed(bool pressed);
  bool IsThemed() const { return Themed ? Themed() : false; }
  void CloseTheme();

  HWND handle_ = nullptr;
  HTHEME theme_ = nullptr;  // opened on first themed paint, closed with the window
  HIMAGELIST images_ = nullptr;
  int index_ = -1;
  bool tracking_ = false;  // the left button went down on us and is still down
  bool pressed_ = false;   // drawn pushed in
};

}  // namespace brimvale
