#include "ui/UJvEditButton.h"

#include <vssym32.h>

namespace brimvale {

TJvEditButton::~TJvEditButton() {
  if (FHandle) DestroyWindow(FHandle);
}

HWND TJvEditButton::Create(HWND edit) {
  // Placed by the field, which knows its border and text rectangle. Owner
  // drawn, so that the system never draws its text.
  FHandle =
      CreateWindowExA(0, "Button", "Browse", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_OWNERDRAW,
                      0, 0, 0, 0, edit, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (FHandle) Subclass(FHandle);
  return FHandle;
}

void TJvEditButton::WindowGone() {
  FHandle = nullptr;
  FTheme.Reset();
}

void TJvEditButton::SetGlyph(HIMAGELIST images, int index) {
  FImages = images;
  FIndex = index;
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TJvEditButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(Handle(), &paint);
      Paint(dc);
      EndPaint(Handle(), &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_SETCURSOR:
      // Answered here: the edit box, asked first, would show its I-beam.
      SetCursor(LoadCursor(nullptr, IDC_ARROW));
      return TRUE;
    // The button's own mouse handling would take the focus from the field.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnLeftDown();
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(point);
      return 0;
    case WM_LBUTTONUP:
      OnLeftUp(point);
      return 0;
    case WM_CAPTURECHANGED:
      FTracking = false;
      SetPressed(false);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
      return 0;  // no context menu of its own, nor the edit box's
    case WM_ENABLE:
      InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    case WM_THEMECHANGED:
      FTheme.Reset();
      InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
  }
  return dll::DefSubclassProc(Handle(), message, wParam, lParam);
}

void TJvEditButton::OnLeftDown() {
  // The field takes the focus first (and with it selects its text).
  const HWND edit = GetParent(Handle());
  if (GetFocus() != edit && IsWindowEnabled(edit) && IsWindowVisible(edit)) SetFocus(edit);
  if (!IsWindowEnabled(Handle())) return;
  SetCapture(Handle());
  FTracking = true;
  SetPressed(true);
}

void TJvEditButton::OnMouseMove(POINT point) {
  if (!FTracking) return;
  RECT bounds;
  GetClientRect(Handle(), &bounds);
  SetPressed(PtInRect(&bounds, point) != FALSE);
}

void TJvEditButton::OnLeftUp(POINT point) {
  if (!FTracking) return;
  RECT bounds;
  GetClientRect(Handle(), &bounds);
  const bool inside = PtInRect(&bounds, point) != FALSE;
  ReleaseCapture();  // clears the pressed state through WM_CAPTURECHANGED
  FTracking = false;
  SetPressed(false);
  if (inside && OnClick) OnClick();
}

void TJvEditButton::SetPressed(bool pressed) {
  if (FPressed == pressed) return;
  FPressed = pressed;
  InvalidateRect(Handle(), nullptr, FALSE);
  UpdateWindow(Handle());
}

void TJvEditButton::Paint(HDC dc) {
  RECT bounds;
  GetClientRect(Handle(), &bounds);
  if (IsThemed()) {
    if (!FTheme) FTheme.Reset(dll::OpenThemeData(Handle(), L"BUTTON"));
    if (FTheme) {
      PaintThemed(dc, bounds);
      return;
    }
  }
  PaintClassic(dc, bounds);
}

void TJvEditButton::PaintThemed(HDC dc, const RECT& bounds) {
  const bool enabled = IsWindowEnabled(Handle());
  const int state = !enabled ? PBS_DISABLED : FPressed ? PBS_PRESSED : PBS_NORMAL;
  FillRect(dc, &bounds, GetSysColorBrush(COLOR_WINDOW));
  dll::DrawThemeBackground(FTheme.Get(), dc, BP_PUSHBUTTON, state, &bounds, nullptr);
  DrawGlyph(dc, bounds, 0, enabled);
}

void TJvEditButton::PaintClassic(HDC dc, const RECT& bounds) {
  const bool enabled = IsWindowEnabled(Handle());
  RECT face = bounds;
  FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &face, FPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (!FPressed) {
    // Joins the button to the text area: a face-coloured line down the left
    // edge and a highlight one pixel inside it.
    RECT line{bounds.left, bounds.top, bounds.left + 1, bounds.bottom};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNFACE));
    line = {bounds.left + 1, bounds.top + 1, bounds.left + 2, bounds.bottom - 1};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  }
  DrawGlyph(dc, bounds, FPressed ? 1 : 0, enabled);
}

void TJvEditButton::DrawGlyph(HDC dc, const RECT& bounds, int shift, bool enabled) {
  if (!FImages || FIndex < 0) return;
  int width = 0, height = 0;
  dll::ImageList_GetIconSize(FImages, &width, &height);
  const int x = (bounds.right - width) / 2 + shift, y = (bounds.bottom - height) / 2 + shift;
  if (enabled) {
    dll::ImageList_Draw(FImages, FIndex, dc, x, y, ILD_TRANSPARENT);
    return;
  }
  // Disabled: the picture in grey where common controls 6 can, else faded.
  IMAGELISTDRAWPARAMS draw{};
  draw.cbSize = sizeof draw;
  draw.himl = FImages;
  draw.i = FIndex;
  draw.hdcDst = dc;
  draw.x = x;
  draw.y = y;
  draw.rgbBk = CLR_NONE;
  draw.rgbFg = CLR_NONE;
  draw.fStyle = ILD_TRANSPARENT;
  draw.fState = ILS_SATURATE;
  if (!dll::ImageList_DrawIndirect(&draw))
    dll::ImageList_DrawEx(FImages, FIndex, dc, x, y, 0, 0, CLR_NONE, GetSysColor(COLOR_BTNFACE),
                          ILD_TRANSPARENT | ILD_BLEND50);
}

}  // namespace brimvale
