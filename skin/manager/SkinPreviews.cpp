#include "skin/manager/SkinPreviews.h"

#include "skin/graphics/Bitmap32.h"
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

// Bilinear, channel by channel (alpha too): previews are small and drawn as
// they are, so no finer filter is worth its cost.
std::shared_ptr<TBitmap> Scaled(TBitmap& src, int w, int h) {
  std::shared_ptr<TBitmap> dst = NewBitmap32(w, h);
  if (dst->Empty()) return nullptr;
  const int sw = src.Width(), sh = src.Height();
  for (int y = 0; y < h; ++y) {
    const double fy = std::clamp((y + 0.5) * sh / h - 0.5, 0.0, double(sh - 1));
    const int y0 = int(fy), y1 = std::min(y0 + 1, sh - 1);
    const double ty = fy - y0;
    const auto* r0 = static_cast<const uint8_t*>(src.ScanLine(y0));
    const auto* r1 = static_cast<const uint8_t*>(src.ScanLine(y1));
    auto* out = static_cast<uint8_t*>(dst->ScanLine(y));
    for (int x = 0; x < w; ++x) {
      const double fx = std::clamp((x + 0.5) * sw / w - 0.5, 0.0, double(sw - 1));
      const int x0 = int(fx), x1 = std::min(x0 + 1, sw - 1);
      const double tx = fx - x0;
      for (int c = 0; c < 4; ++c) {
        const double top = r0[x0 * 4 + c] * (1 - tx) + r0[x1 * 4 + c] * tx;
        const double bottom = r1[x0 * 4 + c] * (1 - tx) + r1[x1 * 4 + c] * tx;
        out[x * 4 + c] = uint8_t(top * (1 - ty) + bottom * ty + 0.5);
      }
    }
  }
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
