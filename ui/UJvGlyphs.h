#pragma once

#include <windows.h>

#include <commctrl.h>

namespace brimvale {

// The field's two folder pictures, 14 x 12, magenta transparent.
enum class TFolderGlyph { Classic, Themed };

// The process's one image list of folder pictures, filled on first use; the
// index of `glyph` in it, or -1 when its resource cannot be loaded. The list
// is not the caller's: it lives until the program ends.
HIMAGELIST FolderGlyphs();
int FolderGlyphIndex(TFolderGlyph glyph);

}  // namespace brimvale
