#pragma once

namespace brimvale {

// The application title: taskbar text and the caption of every message box.
inline constexpr const char kApplicationTitle[] = "Brimvale v0.02";

}  // namespace brimvale
