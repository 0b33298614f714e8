#include "skin/manager/SkinPreviews.h"

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Resample.h"
#include "skin/manager/SkinPictures.h"

#include <algorithm>

namespace {

// The name the picture loader tells the kind by, from the picture's signature.
const wchar_t* PictureKind(std::string_view bytes) {
  if (bytes.size() >= 8 && bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8)) return L".PNG";
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xFF\xD8\xFF") return L".JPG";
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "BM") return L".BMP";
  return nullptr;
}

// The triangle filter: previews are small and drawn as they are, so no
// finer filter is worth its cost.
std::shared_ptr<TBitmap> Scaled(TBitmap& src, int w, int h) {
  std::shared_ptr<TBitmap> dst = NewBitmap32(w, h);
  if (dst->Empty() || src.Width() < 2 || src.Height() < 2) return nullptr;
  ResampleBitmap(src, *dst, w, h, 1);
  return dst;
}

}  // namespace

int TacSkinPreviews::Add(std::string_view bytes) {
  const wchar_t* kind = PictureKind(bytes);
  if (!kind) return -1;
  std::shared_ptr<TBitmap> image = LoadSkinPicture(bytes, kind);
  if (!image || image->Empty()) return -1;
  if (image->Width() != Width || image->Height() != Height) image = Scaled(*image, Width, Height);
  if (!image) return -1;
  FImages.push_back(std::move(image));
  return Count() - 1;
}

TBitmap* TacSkinPreviews::Image(int index) const {
  return index >= 0 && index < Count() ? FImages[size_t(index)].get() : nullptr;
}
