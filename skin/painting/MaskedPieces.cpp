#include "skin/painting/MaskedPieces.h"

#include <algorithm>
#include <memory>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Resample.h"
#include "skin/painting/PieceClipping.h"

namespace {

enum class TMaskBlend { Normal, Over, Faded };

inline uint32_t Channel(uint32_t P, int Shift) { return P >> Shift & 0xFF; }

// One picture pixel (not see-through) with its mask pixel onto D.
inline uint32_t BlendMasked(TMaskBlend Kind, uint32_t D, uint32_t Image, uint32_t Mask, uint8_t Opacity) {
  uint32_t out = 0;
  if (Kind == TMaskBlend::Normal) {
    for (int shift = 0; shift < 24; shift += 8) {
      int c = int(Channel(D, shift)), i = int(Channel(Image, shift)), m = int(Channel(Mask, shift));
      out |= uint32_t(((c - i) * m + i * 256) >> 8) << shift;
    }
    return out | 0xFF000000;
  }
  uint32_t m = Channel(Mask, 16);
  uint32_t w = Kind == TMaskBlend::Over ? 255 - m : Opacity * (255 - m) >> 8;
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t c = Kind == TMaskBlend::Over ? (Channel(D, shift) * m + Channel(Image, shift) * w) >> 8
                                          : (Channel(D, shift) * (255 - w) + Channel(Image, shift) * w) >> 8;
    out |= c << shift;
  }
  uint32_t a = D >> 24;
  if (a == 0)
    a = w;
  else if (a < 255)
    a = std::max(a, 255 - m);
  return out | a << 24;
}

// See-through pixel: the background when there is one to take; otherwise
// the standard blend keeps the destination and the others clear its alpha.
inline void SeeThrough(TMaskBlend Kind, uint32_t& D, const TPixelWalk* Bg, const TacBackgroundSource& BgSource, int X,
                       int Y) {
  if (Bg != nullptr) {
    int bx = X + BgSource.X, by = Y + BgSource.Y;
    if (bx >= 0 && by >= 0 && bx < BgSource.Bmp->Width() && by < BgSource.Bmp->Height()) D = Bg->Row(by)[bx];
    return;
  }
  if (Kind != TMaskBlend::Normal) D &= 0x00FFFFFF;
}

void CopyPiece(TMaskBlend Kind, const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap& Src,
               const TacBackgroundSource& BgSource, bool UseBg, const TsMaskData& MaskData, uint8_t Opacity) {
  int maskOffset = MaskRowOffset(MaskData);
  TPieceSpan span;
  if (!ClipPiece(DstRect, SrcRect, Dst, Src, maskOffset, span)) return;
  TPixelWalk d, s, b;
  if (!d.Open(&Dst) || !s.Open(&Src)) return;
  bool useBg = UseBg && BgSource.Ready && b.Open(BgSource.Bmp);
  for (int y = 0; y < span.Height; ++y) {
    uint32_t* dRow = d.Row(span.DstY + y) + span.DstX;
    const uint32_t* sRow = s.Row(span.SrcY + y) + span.SrcX;
    const uint32_t* mRow = s.Row(span.SrcY + y + maskOffset) + span.SrcX;
    for (int x = 0; x < span.Width; ++x) {
      if (IsKeyColorPixel(sRow[x]))
        SeeThrough(Kind, dRow[x], useBg ? &b : nullptr, BgSource, span.DstX + x, span.DstY + y);
      else
        dRow[x] = BlendMasked(Kind, dRow[x], sRow[x], mRow[x], Opacity);
    }
  }
}

// The piece at (X, Y) of Src, W x H, scaled into a new W2 x H2 bitmap.
std::unique_ptr<TBitmap> ScalePiece(TBitmap& Src, int X, int Y, int W, int H, int W2, int H2, bool Resample) {
  if (Resample) {
    // The resampler wants at least 2 x 2: a single row or column is doubled.
    int tw = std::max(W, 2), th = std::max(H, 2);
    auto piece = NewBitmap32(tw, th);
    if (piece->Empty()) return piece;
    BitBlt(piece->DC(), 0, 0, W, H, Src.DC(), X, Y, SRCCOPY);
    if (W == 1) BitBlt(piece->DC(), 1, 0, 1, th, piece->DC(), 0, 0, SRCCOPY);
    if (H == 1) BitBlt(piece->DC(), 0, 1, tw, 1, piece->DC(), 0, 0, SRCCOPY);
    auto out = NewBitmap32(W2, H2);
    if (!out->Empty()) ResampleBitmap(*piece, *out, W2, H2, 6);
    return out;
  }
  auto out = NewBitmap32(W2, H2);
  if (out->Empty()) return out;
  SetStretchBltMode(out->DC(), COLORONCOLOR);
  StretchBlt(out->DC(), 0, 0, W2, H2, Src.DC(), X, Y, W, H, SRCCOPY);
  return out;
}

void StretchPiece(TMaskBlend Kind, int DstX, int DstY, int DstW, int DstH, int SrcX, int SrcY, int SrcW, int SrcH,
                  TBitmap& Dst, TBitmap& Src, int MaskOffset, uint8_t Opacity, bool Smooth) {
  if (DstX < 0 || DstY < 0 || DstW <= 0 || DstH <= 0 || Dst.Width() < 2 || Dst.Height() < 2) return;
  if (SrcW <= 0 || SrcH <= 0 || SrcX < 0 || SrcY < 0) return;
  if (MaskOffset == 0) {
    if (SrcX + SrcW > Src.Width() || SrcY + SrcH > Src.Height()) return;
    SetStretchBltMode(Dst.DC(), COLORONCOLOR);
    StretchBlt(Dst.DC(), DstX, DstY, DstW, DstH, Src.DC(), SrcX, SrcY, SrcW, SrcH, SRCCOPY);
    return;
  }
  // The mask rows must lie in the picture as well as the colour rows.
  if (SrcX + SrcW > Src.Width() || SrcY + MaskOffset + SrcH > Src.Height() || MaskOffset < 0) return;
  TPixelWalk d, s;
  if (!d.Open(&Dst) || !s.Open(&Src)) return;
  int right = std::min(DstX + DstW, Dst.Width()), bottom = std::min(DstY + DstH, Dst.Height());
  if (Kind == TMaskBlend::Normal && SrcW == 1 && SrcH == 1 && !Smooth) {
    uint32_t colour = s.Row(SrcY)[SrcX], m = s.Row(SrcY + MaskOffset)[SrcX] >> 16 & 0xFF;
    if (m == 255) return;
    for (int y = DstY; y < bottom; ++y) {
      uint32_t* row = d.Row(y);
      for (int x = DstX; x < right; ++x) {
        if (m == 0) {
          row[x] = colour | 0xFF000000;
          continue;
        }
        uint32_t out = row[x] & 0xFF000000;
        for (int shift = 0; shift < 24; shift += 8) {
          int c = int(Channel(row[x], shift)), i = int(Channel(colour, shift));
          out |= uint32_t(((c - i) * int(m) + i * 256) >> 8) << shift;
        }
        row[x] = out;
      }
    }
    return;
  }
  bool oneWayShrink = (DstW < SrcW && SrcH == DstH) || (DstW == SrcW && DstH < SrcH);
  bool resample = (Smooth || oneWayShrink) && DstW > 1 && DstH > 1;
  auto image = ScalePiece(Src, SrcX, SrcY, SrcW, SrcH, DstW, DstH, resample);
  auto mask = ScalePiece(Src, SrcX, SrcY + MaskOffset, SrcW, SrcH, DstW, DstH, resample);
  TPixelWalk iw, mw;
  if (!iw.Open(image.get()) || !mw.Open(mask.get())) return;
  for (int y = DstY; y < bottom; ++y) {
    uint32_t* row = d.Row(y);
    const uint32_t* iRow = iw.Row(y - DstY) - DstX;
    const uint32_t* mRow = mw.Row(y - DstY) - DstX;
    for (int x = DstX; x < right; ++x) {
      if (Kind != TMaskBlend::Normal && IsKeyColorPixel(iRow[x]))
        row[x] &= 0x00FFFFFF;
      else
        row[x] = BlendMasked(Kind, row[x], iRow[x], mRow[x], Opacity);
    }
  }
}

}  // namespace

int MaskRowOffset(const TsMaskData& MaskData) {
  return MaskData.MaskType != 0 ? (MaskData.SrcRect.bottom - MaskData.SrcRect.top) / 2 : 0;
}

void CopyMaskedPiece(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap& Src,
                     const TacBackgroundSource& BgSource, bool UseBg, const TsMaskData& MaskData) {
  CopyPiece(TMaskBlend::Normal, DstRect, SrcRect, Dst, Src, BgSource, UseBg, MaskData, 255);
}

void CopyMaskedPieceOver(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap& Src,
                         const TacBackgroundSource& BgSource, const TsMaskData& MaskData) {
  CopyPiece(TMaskBlend::Over, DstRect, SrcRect, Dst, Src, BgSource, true, MaskData, 255);
}

void CopyMaskedPieceFaded(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap& Src,
                          const TacBackgroundSource& BgSource, const TsMaskData& MaskData, uint8_t Opacity) {
  CopyPiece(TMaskBlend::Faded, DstRect, SrcRect, Dst, Src, BgSource, true, MaskData, Opacity);
}

void StretchMaskedPiece(int DstX, int DstY, int DstW, int DstH, int SrcX, int SrcY, int SrcW, int SrcH, TBitmap& Dst,
                        TBitmap& Src, int MaskOffset, bool Smooth) {
  StretchPiece(TMaskBlend::Normal, DstX, DstY, DstW, DstH, SrcX, SrcY, SrcW, SrcH, Dst, Src, MaskOffset, 255, Smooth);
}

void StretchMaskedPieceOver(int DstX, int DstY, int DstW, int DstH, int SrcX, int SrcY, int SrcW, int SrcH,
                            TBitmap& Dst, TBitmap& Src, int MaskOffset, bool Smooth) {
  StretchPiece(TMaskBlend::Over, DstX, DstY, DstW, DstH, SrcX, SrcY, SrcW, SrcH, Dst, Src, MaskOffset, 255, Smooth);
}

void StretchMaskedPieceFaded(int DstX, int DstY, int DstW, int DstH, int SrcX, int SrcY, int SrcW, int SrcH,
                             TBitmap& Dst, TBitmap& Src, int MaskOffset, uint8_t Opacity, bool Smooth) {
  StretchPiece(TMaskBlend::Faded, DstX, DstY, DstW, DstH, SrcX, SrcY, SrcW, SrcH, Dst, Src, MaskOffset, Opacity,
               Smooth);
}
