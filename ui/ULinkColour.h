#pragma once

#include <windows.h>

namespace brimvale {

// The contrast of two colours as the web's accessibility guidelines (WCAG 2)
// define it, from 1 to 21; text reads from 4.5.
double ContrastRatio(COLORREF a, COLORREF b);
inline constexpr double kReadableContrast = 4.5;

// What the links are drawn in on `face`: pure blue wherever it reads and the
// system asks for no high contrast; else the system's link colour, or the
// window text's where that reads worse.
COLORREF LinkColour(COLORREF face, COLORREF hotLight, COLORREF windowText, bool highContrast);

// The same for the system's colours and setting as they are now.
COLORREF SystemLinkColour();

}  // namespace brimvale
