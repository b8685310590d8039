#include "ui/UJvGlyphs.h"

#include <utility>

namespace brimvale {
namespace {

constexpr int kWidth = 14, kHeight = 12;
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr const char* kResourceNames[] = {"JvDirectoryEditGLYPH", "JvDirectoryEditXPGLYPH"};

class TImageListOwner {
 public:
  TImageListOwner() : list_(ImageList_Create(kWidth, kHeight, ILC_COLOR24 | ILC_MASK, 2, 0)) {
    indices_[0] = indices_[1] = -1;
  }
  TImageListOwner(const TImageListOwner&) = delete;
  TImageListOwner& operator=(const TImageListOwner&) = delete;
  ~TImageListOwner() {
    if (list_) ImageList_Destroy(list_);
  }

  HIMAGELIST Get() const { return list_; }

  int IndexOf(TFolderGlyph glyph) {
    const int slot = static_cast<int>(glyph);
    if (indices_[slot] == -1 && list_ && !tried_[slot]) {
      tried_[slot] = true;
      const HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(
          GetModuleHandleA(nullptr), kResourceNames[slot], IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
      if (bitmap) {
        indices_[slot] = ImageList_AddMasked(list_, bitmap, kTransparent);
        DeleteObject(bitmap);
      }
    }
    return indices_[slot];
  }

 private:
  HIMAGELIST list_;
  int indices_[2];
  bool tried_[2] = {false, false};
};

TImageListOwner& Glyphs() {
  static TImageListOwner glyphs;
  return glyphs;
}

}  // namespace

HIMAGELIST FolderGlyphs() { return Glyphs().Get(); }

int FolderGlyphIndex(TFolderGlyph glyph) { return Glyphs().IndexOf(glyph); }

}  // namespace brimvale
