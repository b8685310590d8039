#pragma once

#include <windows.h>

#include <string>

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

// What the system made of a font: the text height (tmHeight) and the face
// that serves it, which is another when the one asked for is missing.
struct TFontMeasure {
  int TextHeight = 0;
  std::string Face;
};
TFontMeasure MeasureFont(HFONT font);

// The laid-out face.
inline constexpr char kLayoutFace[] = "MS Sans Serif";
// The layout's font in the laid-out face: `height` as CreateFont takes it
// (-11 at 96 dpi), FW_NORMAL or FW_BOLD. The caller owns it.
HFONT CreateLayoutFont(int height, int weight = FW_NORMAL);

// The text height to scale the layout for: the one the window's font
// measures (every position, size and font then scales by it / 13), or the
// layout's own when it cannot be measured. A substitute face (the laid-out
// one is missing, as in a Wine without its own fonts) never shrinks the
// layout: such faces are wider than their height says, and a smaller layout
// would clip the help text.
int LayoutTextHeight(const TFontMeasure& measured);

// LOGPIXELSY of the screen.
int ScreenDpi();

// A font height laid out at 96 dpi, for a screen of `dpi` dots per inch.
int FontHeightForDpi(int layoutHeight, int dpi);

}  // namespace brimvale
