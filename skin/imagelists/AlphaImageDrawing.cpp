#include "skin/imagelists/AlphaImageDrawing.h"

#include <algorithm>
#include <memory>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/MaskedCopies.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/imagelists/AlphaImageList.h"
#include "skin/imagelists/ImageSizes.h"

bool SetImageListPPI(TCustomImageList* List, int PPI) {
  auto* list = dynamic_cast<TacImageList*>(List);
  if (!list || list->RenderPPI() == PPI) return false;
  // An alpha list always renders from its source, so it always follows.
  if (!dynamic_cast<TsAlphaImageList*>(list) && !list->FollowsDensity()) return false;
  list->SetRenderPPI(PPI);
  return true;
}

void SetCharListState(TCustomImageList* List, int State) {
  if (auto* list = dynamic_cast<TacImageList*>(List)) list->SetDrawState(State);
}

void DrawAlphaImage(TCustomImageList* List, TBitmap* Bitmap, int X, int Y, int Index, int Blend, TColor ToneColor,
                    int FrameIndex, int FrameCount, bool Reflected, int PPI, SIZE& Size, TColor FontColor) {
  Size = SIZE{0, 0};
  if (!Bitmap || Bitmap->Width() <= 0 || !List || !List->HandleAllocated() || Index < 0) return;
  const int w = ScaledImageWidth(List, Index, PPI), h = ScaledImageHeight(List, Index, PPI);
  const int frames = std::max(1, FrameCount);
  const int frameWidth = w / frames;
  const int frame = std::clamp(FrameIndex, 0, frames - 1);
  RECT dst{X, Y, X + frameWidth, Y + h};
  RECT src{frameWidth * frame, 0, frameWidth * frame + frameWidth, h};
  Size = SIZE{frameWidth, h};
  if (w <= 0 || h <= 0) return;
  if (List->BkColor() != clNone) FillRect32(*Bitmap, dst, ColorToRGB(List->BkColor()), 255);
  SetImageListPPI(List, PPI);
  if (auto* list = dynamic_cast<TacImageList*>(List)) {
    if (FontColor != clNone) list->SetGlyphColorFor(FontColor, Index, false);
    if (frame > 0) list->SetDrawState(frame);
    std::unique_ptr<TBitmap> image(list->CreateBitmap32(Index, w, h));
    if (frame > 0) list->SetDrawState(0);
    list->SetGlyphColor(clNone);
    if (src.left < 0) {
      dst.left -= src.left;
      src.left = 0;
    }
    if (src.top < 0) {
      dst.top -= src.top;
      src.top = 0;
    }
    src.right = std::min<LONG>(src.right, image->Width());
    src.bottom = std::min<LONG>(src.bottom, image->Height());
    if (list->OpaqueDraw()) {
      RECT area = dst;
      area.right = std::min(dst.right, dst.left + (src.right - src.left));
      area.bottom = std::min(dst.bottom, dst.top + (src.bottom - src.top));
      if (ClipToBitmap(*Bitmap, area) && area.left == dst.left && area.top == dst.top)
        BitBlt(Bitmap->DC(), area.left, area.top, area.right - area.left, area.bottom - area.top, image->DC(), src.left,
               src.top, SRCCOPY);
    } else {
      CopyRectTransparent(dst, src, *Bitmap, image.get(), TacBackgroundSource{}, false, uint32_t(ToneColor), Blend,
                          Reflected);
    }
  } else {
    // A plain list draws itself onto a copy of what lies under it.
    auto area = NewBitmap32(w, h);
    if (!area->Empty()) {
      BitBlt(area->DC(), 0, 0, w, h, Bitmap->DC(), X, Y, SRCCOPY);
      {
        TCanvas canvas(area->DC());
        List->Draw(canvas, 0, 0, Index);
      }
      BitBlt(Bitmap->DC(), X, Y, w, h, area->DC(), 0, 0, SRCCOPY);
    }
  }
  SetImageListPPI(List, 96);
}

void DrawAlphaImageDC(TCustomImageList* List, HDC DC, int X, int Y, int Index, int Blend, TColor ToneColor,
                      int FrameIndex, int FrameCount, bool Reflected, int PPI, SIZE& Size) {
  Size = SIZE{0, 0};
  if (!DC || !List) return;
  const int w = ScaledImageWidth(List, Index, PPI), h = ScaledImageHeight(List, Index, PPI);
  auto area = NewBitmap32(w, h);
  if (area->Empty()) return;
  BitBlt(area->DC(), 0, 0, w, h, DC, X, Y, SRCCOPY);
  const TColor fontColor = TColor(GetTextColor(DC));
  DrawAlphaImage(List, area.get(), 0, 0, Index, Blend, ToneColor, FrameIndex, FrameCount, Reflected, PPI, Size,
                 fontColor);
  if (Size.cx > 0 && Size.cy > 0) BitBlt(DC, X, Y, Size.cx, Size.cy, area->DC(), 0, 0, SRCCOPY);
}
