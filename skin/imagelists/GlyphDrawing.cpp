#include "skin/imagelists/GlyphDrawing.h"

#include <algorithm>
#include <memory>

#include "skin/forms/SkinColors.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/MarginStretch.h"
#include "skin/graphics/MaskedCopies.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/imagelists/AlphaImageDrawing.h"
#include "skin/imagelists/HandleImages.h"
#include "skin/imagelists/ImageSizes.h"
#include "skin/imagelists/SkinImageList.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinManager.h"

namespace {
constexpr uint32_t kKeyColor = 0xFF00FF;

void MakeGrayed(TBitmap& Bmp) { ApplyDisabledKind(Bmp, dkGrayed, TacBackgroundSource{}, POINT{0, 0}, 0); }

// The disabled look of a glyph: toned when a tone is given, else grey.
void Discolor(TBitmap& Bmp, uint32_t Tone) {
  if (Tone != uint32_t(clNone))
    ForEachPixelExcept(&Bmp, TonePixelProc, int(Tone), kKeyColor);
  else
    MakeGrayed(Bmp);
}

void DrawStandardList(TacGlyphDrawData& Data, uint32_t Tone) {
  TCustomImageList* list = Data.Images;
  const int w = list->Width(), h = list->Height();
  if (!Data.DstBmp) {
    if (Data.Canvas) list->Draw(*Data.Canvas, Data.ImgRect.left, Data.ImgRect.top, Data.ImageIndex, Data.Enabled);
    return;
  }
  auto bmp = NewBitmap32(w, h);
  if (bmp->Empty()) return;
  const uint32_t bk = list->BkColor() == clNone ? kKeyColor : ColorToRGB(list->BkColor());
  FillRect32(*bmp, RECT{0, 0, w, h}, bk, 0);
  {
    TCanvas canvas(bmp->DC());
    list->Draw(canvas, 0, 0, Data.ImageIndex, true);
  }
  if (!Data.Enabled || Data.Grayed) Discolor(*bmp, Tone);
  uint8_t amount = uint8_t(std::clamp(Data.Blend, 0, 100) * 255 / 100);
  if (!Data.Enabled && (Data.Options & gdoHalfDisabled)) amount = 127;
  CopyRectExceptColorBlend(*Data.DstBmp, *bmp, Data.ImgRect.left, Data.ImgRect.top, RECT{0, 0, w - 1, h - 1}, kKeyColor,
                           amount);
}

void DrawGlyphBitmap(TacGlyphDrawData& Data, uint32_t Tone) {
  TBitmap& glyph = *Data.Glyph;
  const int frameWidth = Data.ImgRect.right - Data.ImgRect.left;
  const int frameHeight = std::min<int>(Data.ImgRect.bottom - Data.ImgRect.top, glyph.Height());
  if (frameWidth <= 0 || frameHeight <= 0) return;
  const int frames = std::max(1, Data.NumGlyphs);
  const int frame = std::clamp(Data.CurrentState, 0, frames - 1);
  const RECT src{frame * frameWidth, 0, frame * frameWidth + frameWidth, frameHeight};
  auto piece = NewBitmap32(frameWidth, frameHeight);
  if (piece->Empty()) return;
  BitBlt(piece->DC(), 0, 0, frameWidth, frameHeight, glyph.DC(), src.left, 0, SRCCOPY);
  // A 32-bit glyph without any alpha is an ordinary picture.
  const bool withAlpha = glyph.PixelFormat() == pf32bit && HasAnyAlpha(*piece);
  if (!withAlpha) {
    // The bottom-left pixel's colour marks see-through pixels of plain glyphs.
    const uint32_t key = GetPixel32(*piece, 0, frameHeight - 1) & 0xFFFFFF;
    auto keyed = NewBitmap32(frameWidth, frameHeight);
    FillRect32(*keyed, RECT{0, 0, frameWidth, frameHeight}, kKeyColor, 0);
    CopyBitmapExceptColor(*keyed, *piece, 0, 0, key);
    piece = std::move(keyed);
  }
  if (!Data.Enabled || Data.Grayed) Discolor(*piece, Tone);
  const RECT whole{0, 0, frameWidth, frameHeight};
  const RECT dst{Data.ImgRect.left, Data.ImgRect.top, Data.ImgRect.left + frameWidth, Data.ImgRect.top + frameHeight};
  if (Data.DstBmp) {
    CopyRectTransparent(dst, whole, *Data.DstBmp, piece.get(), TacBackgroundSource{}, false, clNone, Data.Blend,
                        Data.Reflected);
  } else if (Data.Canvas) {
    int opacity = 100 - std::clamp(Data.Blend, 0, 100);
    if (!Data.Enabled && (Data.Options & gdoHalfDisabled)) opacity = std::min(opacity, 50);
    if (opacity < 100) {
      uint8_t* row0;
      ptrdiff_t step;
      if (PrepareScanlineWalk(piece.get(), row0, step))
        for (int y = 0; y < frameHeight; ++y) {
          uint32_t* row = PixelRow(row0, step, y);
          for (int x = 0; x < frameWidth; ++x)
            row[x] = (row[x] & 0xFFFFFF) | ((row[x] >> 24) * uint32_t(opacity) / 100) << 24;
        }
    }
    DrawBitmapOnCanvasAlpha(Data.Canvas->Handle(), *piece, dst, false);
  }
}
}  // namespace

void DrawImageListGlyph(TacGlyphDrawData& Data) {
  const uint32_t tone = (Data.Options & gdoToneFromSkin) && Data.ToneColor != clNone
                            ? SkinColorToRGB(Data.ToneColor, nullptr)
                            : clNone;
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  if (manager && manager->Options().StdGlyphsOrder()) {
    if (Data.CurrentState == 1 || Data.NumGlyphs < 3) Data.CurrentState = 0;
    if (Data.CurrentState == 0 && !Data.Enabled) Data.CurrentState = 1;
  }
  if (Data.Images) {
    if (Data.ImageIndex < 0 || Data.ImageIndex >= GetImageCount(Data.Images)) return;
    if (dynamic_cast<TacImageList*>(Data.Images)) {
      const int blend = Data.CurrentState == 0 ? Data.Blend : 0;
      SIZE size;
      if (Data.DstBmp)
        DrawAlphaImage(Data.Images, Data.DstBmp, Data.ImgRect.left, Data.ImgRect.top, Data.ImageIndex, blend,
                       TColor(tone), 0, 1, Data.Reflected, Data.PPI, size);
      else if (Data.Canvas)
        DrawAlphaImageDC(Data.Images, Data.Canvas->Handle(), Data.ImgRect.left, Data.ImgRect.top, Data.ImageIndex,
                         blend, TColor(tone), 0, 1, Data.Reflected, Data.PPI, size);
      return;
    }
    DrawStandardList(Data, tone);
    return;
  }
  if (Data.Glyph && !Data.Glyph->Empty()) DrawGlyphBitmap(Data, tone);
}
