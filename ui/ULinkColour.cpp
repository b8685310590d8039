#include "ui/ULinkColour.h"

#include <algorithm>
#include <cmath>

namespace brimvale {
namespace {

double RelativeLuminance(COLORREF colour) {
  const auto linear = [](BYTE value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
         0.0722 * linear(GetBValue(colour));
}

}  // namespace

double ContrastRatio(COLORREF a, COLORREF b) {
  const double first = RelativeLuminance(a), second = RelativeLuminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

COLORREF LinkColour(COLORREF face, COLORREF hotLight, COLORREF windowText, bool highContrast) {
  constexpr COLORREF kBlue = RGB(0, 0, 255);
  if (!highContrast && ContrastRatio(kBlue, face) >= kReadableContrast) return kBlue;
  // Wine's own light theme has a light grey for links.
  if (ContrastRatio(hotLight, face) >= kReadableContrast) return hotLight;
  return ContrastRatio(windowText, face) > ContrastRatio(hotLight, face) ? windowText : hotLight;
}

COLORREF SystemLinkColour() {
  HIGHCONTRASTA contrast{};
  contrast.cbSize = sizeof contrast;
  const bool high = SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                    (contrast.dwFlags & HCF_HIGHCONTRASTON);
  return LinkColour(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_HOTLIGHT),
                    GetSysColor(COLOR_WINDOWTEXT), high);
}

}  // namespace brimvale
