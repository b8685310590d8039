#pragma once

#include <windows.h>

namespace brimvale {

// The window's layout is in pixels at 96 dpi, where its font's text is 13
// pixels high.
inline constexpr int kLayoutDpi = 96;
inline constexpr int kLayoutTextHeight = 13;

// Turns layout values into pixels for a window font whose text measures
// `textHeight` pixels: each value times textHeight / 13, rounded as MulDiv
// rounds (halves away from zero). A 13-pixel font changes nothing.
class TLayoutScale {
 public:
  explicit TLayoutScale(int textHeight = kLayoutTextHeight) : FTextHeight(textHeight) {}

  int TextHeight() const { return FTextHeight; }
  bool IsIdentity() const { return FTextHeight == kLayoutTextHeight; }
  int operator()(int value) const;
  // Left, top, width and height each scaled on their own, as a rectangle.
  RECT Bounds(int left, int top, int width, int height) const;

 private:
  int FTextHeight;
};

// The text height to scale the layout for, from the one the window's font
// measures on a screen of `dpi` dots per inch. At the layout's own resolution
// a shorter face than the layout's (a substitute) does not shrink it: its
// text already fits the laid-out controls, and narrower controls would clip
// glyphs that do not narrow with the height. A failed measure scales nothing.
int LayoutTextHeight(int measuredTextHeight, int dpi);

// LOGPIXELSY of the screen.
int ScreenDpi();

// A font height laid out at 96 dpi, for a screen of `dpi` dots per inch.
int FontHeightForDpi(int layoutHeight, int dpi);

// The text height of a font (tmHeight, the height of "0" drawn with it).
int TextHeightOf(HFONT font);

}  // namespace brimvale
