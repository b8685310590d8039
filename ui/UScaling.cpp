#include "ui/UScaling.h"

#include "ui/UOwners.h"

namespace brimvale {

int TLayoutScale::operator()(int value) const {
  return IsIdentity() ? value : MulDiv(value, FTextHeight, kLayoutTextHeight);
}

RECT TLayoutScale::Bounds(int left, int top, int width, int height) const {
  const int x = (*this)(left), y = (*this)(top);
  return RECT{x, y, x + (*this)(width), y + (*this)(height)};
}

int LayoutTextHeight(const TFontMeasure& measured) {
  if (measured.TextHeight <= 0) return kLayoutTextHeight;
  if (measured.Face != kLayoutFace && measured.TextHeight < kLayoutTextHeight)
    return kLayoutTextHeight;
  return measured.TextHeight;
}

HFONT CreateLayoutFont(int height, int weight) {
  return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, kLayoutFace);
}

int ScreenDpi() {
  TClientDC screen(nullptr);
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int FontHeightForDpi(int layoutHeight, int dpi) {
  return dpi == kLayoutDpi ? layoutHeight : MulDiv(layoutHeight, dpi, kLayoutDpi);
}

TFontMeasure MeasureFont(HFONT font) {
  TClientDC screen(nullptr);
  TSelectObject selected(screen.Get(), font);
  TEXTMETRICA metrics{};
  TFontMeasure measure;
  if (GetTextMetricsA(screen.Get(), &metrics)) measure.TextHeight = metrics.tmHeight;
  char face[LF_FACESIZE] = {};
  GetTextFaceA(screen.Get(), LF_FACESIZE, face);
  measure.Face = face;
  return measure;
}

}  // namespace brimvale
