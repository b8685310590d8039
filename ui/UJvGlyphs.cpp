#include "ui/UJvGlyphs.h"

#include "ui/UOwners.h"

namespace brimvale {
namespace {

constexpr int kWidth = 14, kHeight = 12;
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr const char* kResourceNames[] = {"JvDirectoryEditGLYPH", "JvDirectoryEditXPGLYPH"};

// The pictures, each loaded once, on first use.
class TGlyphList {
 public:
  HIMAGELIST Get() const { return FList.Get(); }

  int IndexOf(TFolderGlyph glyph) {
    const int slot = static_cast<int>(glyph);
    if (FIndices[slot] == -1 && FList && !FTried[slot]) {
      FTried[slot] = true;
      // The list keeps a copy of the picture.
      const TBitmapOwner bitmap(static_cast<HBITMAP>(LoadImageA(
          GetModuleHandleA(nullptr), kResourceNames[slot], IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
      if (bitmap)
        FIndices[slot] = dll::ImageList_AddMasked(FList.Get(), bitmap.Get(), kTransparent);
    }
    return FIndices[slot];
  }

 private:
  TImageListOwner FList{dll::ImageList_Create(kWidth, kHeight, ILC_COLOR24 | ILC_MASK, 2, 0)};
  int FIndices[2] = {-1, -1};
  bool FTried[2] = {false, false};
};

TGlyphList& Glyphs() {
  static TGlyphList glyphs;
  return glyphs;
}

}  // namespace

HIMAGELIST FolderGlyphs() { return Glyphs().Get(); }

int FolderGlyphIndex(TFolderGlyph glyph) { return Glyphs().IndexOf(glyph); }

}  // namespace brimvale
