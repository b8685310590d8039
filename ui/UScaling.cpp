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

int LayoutTextHeight(int measuredTextHeight, int dpi) {
  if (measuredTextHeight <= 0) return kLayoutTextHeight;
  if (dpi == kLayoutDpi && measuredTextHeight < kLayoutTextHeight) return kLayoutTextHeight;
  return measuredTextHeight;
}

int ScreenDpi() {
  TClientDC screen(nullptr);
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int FontHeightForDpi(int layoutHeight, int dpi) {
  return dpi == kLayoutDpi ? layoutHeight : MulDiv(layoutHeight, dpi, kLayoutDpi);
}

int TextHeightOf(HFONT font) {
  TClientDC screen(nullptr);
  TSelectObject selected(screen.Get(), font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.Get(), &metrics);
  return metrics.tmHeight;
}

}  // namespace brimvale
