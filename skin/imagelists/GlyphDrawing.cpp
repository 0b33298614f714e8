#include "skin/imagelists/GlyphDrawing.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "skin/forms/SkinColors.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/MarginStretch.h"
#include "skin/graphics/MaskedCopies.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/imagelists/AlphaImageDrawing.h"
#include "skin/imagelists/CharImageList.h"
#include "skin/imagelists/HandleImages.h"
#include "skin/imagelists/ImageSizes.h"
#include "skin/imagelists/SkinImageList.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/GlyphFrame.h"

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

// Glyph strips without alpha key out, per frame, the colour of the frame's
// bottom-left pixel. A discoloured copy marks that key as 0xFF00FF after
// discolouring, so that no colour it greys turns see-through.
std::unique_ptr<TBitmap> DiscoloredStrip(TBitmap& Glyph, int Frames, uint32_t Tone) {
  auto copy = NewBitmap32(Glyph.Width(), Glyph.Height());
  if (copy->Empty()) return copy;
  BitBlt(copy->DC(), 0, 0, Glyph.Width(), Glyph.Height(), Glyph.DC(), 0, 0, SRCCOPY);
  GdiFlush();
  const int w = Glyph.Width(), h = Glyph.Height(), frameWidth = w / Frames;
  std::vector<bool> keyed(size_t(w) * h, false);
  uint8_t* row0;
  ptrdiff_t step;
  if (frameWidth <= 0 || !PrepareScanlineWalk(copy.get(), row0, step)) return copy;
  for (int f = 0; f < Frames; ++f) {
    const uint32_t key = PixelRow(row0, step, h - 1)[f * frameWidth] & 0xFFFFFF;
    for (int y = 0; y < h; ++y) {
      const uint32_t* row = PixelRow(row0, step, y);
      for (int x = f * frameWidth; x < (f + 1) * frameWidth; ++x)
        if ((row[x] & 0xFFFFFF) == key) keyed[size_t(y) * w + x] = true;
    }
  }
  Discolor(*copy, Tone);
  for (int y = 0; y < h; ++y) {
    uint32_t* row = PixelRow(row0, step, y);
    for (int x = 0; x < w; ++x)
      if (keyed[size_t(y) * w + x]) row[x] = kKeyColor;
  }
  return copy;
}

// Plain glyph strips go through the skin's glyph painter, which picks the
// frame of the state and keys out the see-through colour.
void DrawGlyphStrip(TacGlyphDrawData& Data, uint32_t Tone) {
  const int frames = std::max(1, Data.NumGlyphs);
  TBitmap* glyph = Data.Glyph;
  std::unique_ptr<TBitmap> discolored;
  if (!Data.Enabled || Data.Grayed) {
    discolored = DiscoloredStrip(*glyph, frames, Tone);
    if (discolored->Empty()) return;
    glyph = discolored.get();
  }
  const int stateKind = Data.CurrentState == 2 ? 3 : Data.CurrentState == 1 ? 1 : 0;
  if (Data.DstBmp) {
    DrawGlyphFrame(*glyph, *Data.DstBmp, Data.ImgRect, frames, Data.Enabled, stateKind, Data.Blend, 0, Data.Reflected);
    return;
  }
  if (!Data.Canvas) return;
  // On a canvas: painted over a copy of the area it covers.
  const RECT& r = Data.ImgRect;
  const int w = r.right - r.left, h = r.bottom - r.top;
  auto area = NewBitmap32(w, h);
  if (area->Empty()) return;
  HDC dc = Data.Canvas->Handle();
  BitBlt(area->DC(), 0, 0, w, h, dc, r.left, r.top, SRCCOPY);
  GdiFlush();
  DrawGlyphFrame(*glyph, *area, RECT{0, 0, w, h}, frames, Data.Enabled, stateKind, Data.Blend, 0, Data.Reflected);
  GdiFlush();
  BitBlt(dc, r.left, r.top, w, h, area->DC(), 0, 0, SRCCOPY);
}

void DrawGlyphBitmap(TacGlyphDrawData& Data, uint32_t Tone) {
  TBitmap& glyph = *Data.Glyph;
  // A 32-bit glyph without any alpha is an ordinary picture.
  if (glyph.PixelFormat() != pf32bit || !HasAnyAlpha(glyph)) {
    DrawGlyphStrip(Data, Tone);
    return;
  }
  const int frameWidth = Data.ImgRect.right - Data.ImgRect.left;
  const int frameHeight = std::min<int>(Data.ImgRect.bottom - Data.ImgRect.top, glyph.Height());
  if (frameWidth <= 0 || frameHeight <= 0) return;
  const int frames = std::max(1, Data.NumGlyphs);
  const int frame = std::clamp(Data.CurrentState, 0, frames - 1);
  const RECT src{frame * frameWidth, 0, frame * frameWidth + frameWidth, frameHeight};
  auto piece = NewBitmap32(frameWidth, frameHeight);
  if (piece->Empty()) return;
  BitBlt(piece->DC(), 0, 0, frameWidth, frameHeight, glyph.DC(), src.left, 0, SRCCOPY);
  GdiFlush();
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
      // Character glyphs show their state by the colour they are drawn in,
      // so they keep the blend in every state; other lists show it only
      // in the normal state.
      const bool charList = dynamic_cast<TsCharImageList*>(Data.Images) != nullptr;
      const int blend = charList || Data.CurrentState == 0 ? Data.Blend : 0;
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
