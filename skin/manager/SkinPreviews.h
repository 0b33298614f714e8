#pragma once
// The preview pictures of the skin list: each decoded once and kept at the
// list's size, 32 bits with alpha, for skin-selection controls to draw.
#include "framework/Bitmap.h"

#include <memory>
#include <string_view>
#include <vector>

class TacSkinPreviews {
 public:
  static constexpr int Width = 140;
  static constexpr int Height = 100;

  // Decodes a PNG, JPEG or BMP picture (told by its first bytes) and appends
  // it, scaled to the list's size when it has another; the new index, or -1
  // when the bytes are no picture the list can take.
  int Add(std::string_view bytes);
  // Shares the images of another list: they are never changed once added.
  void Assign(const TacSkinPreviews& source) { FImages = source.FImages; }
  void Clear() { FImages.clear(); }
  int Count() const { return static_cast<int>(FImages.size()); }
  // Null for an index out of range.
  TBitmap* Image(int index) const;

 private:
  std::vector<std::shared_ptr<TBitmap>> FImages;
};
