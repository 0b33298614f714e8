#include <algorithm>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/Resample.h"
#include "skin/imagelists/HandleImages.h"
#include "skin/imagelists/SkinImageList.h"

void TacImageList::AddBitmap(TBitmap* bitmap, int index) {
  if (!bitmap || bitmap->Empty()) return;
  TBitmap* source = bitmap;
  std::unique_ptr<TBitmap> fitted;
  if (bitmap->Width() != Width() || bitmap->Height() != Height()) {
    const int side = std::max(Width(), Height());
    fitted = NewBitmap32(side, side);
    FillRect32(*fitted, RECT{0, 0, side, side}, 0, 0);
    if (bitmap->Width() < 2 || bitmap->Height() < 2) {
      // Too small to resample: a barely visible square keeps the image's place.
      SetAlphaRect(*fitted, RECT{0, 0, side, side}, 1);
    } else {
      std::unique_ptr<TBitmap> source32;
      TBitmap* from = bitmap;
      if (bitmap->PixelFormat() != pf32bit) {
        source32 = CopyAs32(*bitmap);
        from = source32.get();
      }
      ResampleBitmap(*from, *fitted, side, side, 6);
    }
    source = fitted.get();
  }
  PutHandleImage(Handle(), index, *source);
}
