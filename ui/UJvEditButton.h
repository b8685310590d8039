#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "ui/UOwners.h"
#include "ui/UWindow.h"

namespace brimvale {

// The push button inside the folder field: a child window of the edit box
// of the standard Button class, so that accessibility tools know it for a
// button by the name it carries ("Browse"), never drawn. The program paints
// it, themed or classic, with a picture from an image list centred on it,
// and handles its mouse itself: a press leaves the focus in the field.
class TJvEditButton : private TSubclassedWindow {
 public:
  // Errors in its handlers go to `application`'s box.
  explicit TJvEditButton(const TApplication& application) : TSubclassedWindow(application) {}
  ~TJvEditButton() override;

  std::function<void()> OnClick;
  // Whether visual styles are on; asked at every paint.
  std::function<bool()> Themed;

  HWND Create(HWND edit);
  HWND Handle() const { return FHandle; }
  // `images` is not owned.
  void SetGlyph(HIMAGELIST images, int index);
  bool Pressed() const { return FPressed; }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void WindowGone() override;
  void OnLeftDown();
  void OnMouseMove(POINT point);
  void OnLeftUp(POINT point);
  void Paint(HDC dc);
  void PaintThemed(HDC dc, const RECT& bounds);
  void PaintClassic(HDC dc, const RECT& bounds);
  void DrawGlyph(HDC dc, const RECT& bounds, int shift, bool enabled);
  void SetPressed(bool pressed);
  bool IsThemed() const { return Themed ? Themed() : false; }

  HWND FHandle = nullptr;
  TThemeOwner FTheme;            // opened on first themed paint, closed with the window
  HIMAGELIST FImages = nullptr;  // not owned
  int FIndex = -1;
  bool FTracking = false;  // the left button went down on us and is still down
  bool FPressed = false;   // drawn pushed in
};

}  // namespace brimvale
