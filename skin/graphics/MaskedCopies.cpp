#include "skin/graphics/MaskedCopies.h"

#include <algorithm>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/CopyArea.h"
#include "skin/graphics/PixelRoutines.h"

namespace {

struct TWalk {
  uint8_t *D0 = nullptr, *S0 = nullptr;
  ptrdiff_t DStep = 0, SStep = 0;
  bool Prepare(TBitmap& Dst, TBitmap& Src) {
    return PrepareScanlineWalk(&Dst, D0, DStep) && PrepareScanlineWalk(&Src, S0, SStep);
  }
  uint32_t* DstRow(const TCopyArea& a, int y) const { return PixelRow(D0, DStep, a.DstY + y) + a.DstX; }
  const uint32_t* SrcRow(const TCopyArea& a, int y) const { return PixelRow(S0, SStep, a.SrcY + y) + a.SrcX; }
};

inline uint32_t Channel(uint32_t p, int i) { return p >> (8 * i) & 0xFF; }

// Colours blended by w per channel, alpha as given.
inline uint32_t BlendColours(uint32_t d, uint32_t s, uint32_t w, uint32_t Alpha) {
  return Alpha << 24 | MixByte(Channel(d, 2), Channel(s, 2), w) << 16 | MixByte(Channel(d, 1), Channel(s, 1), w) << 8 |
         MixByte(Channel(d, 0), Channel(s, 0), w);
}

// Each channel keeps m / 256 of the destination, m the mask's same channel.
inline uint32_t BlendThroughMask(uint32_t d, uint32_t s, uint32_t m, uint32_t Alpha) {
  return Alpha << 24 | MixByte(Channel(s, 2), Channel(d, 2), Channel(m, 2)) << 16 |
         MixByte(Channel(s, 1), Channel(d, 1), Channel(m, 1)) << 8 |
         MixByte(Channel(s, 0), Channel(d, 0), Channel(m, 0));
}

// The destination's colour from the background pixel, its alpha kept.
inline void TakeBackgroundColour(uint32_t& d, const uint32_t* Bg) {
  if (Bg) d = (d & 0xFF000000) | (*Bg & 0x00FFFFFF);
}

// How CopyRectTransparent treats one call, fixed before the walk.
struct TTransparentCopy {
  uint32_t Opacity;  // 0..255, from the percent of transparency
  uint32_t Tint[3];  // blue, green, red; largest 255
  TBackgroundPixels Bg;
  int BgX, BgY;
  bool UseBg;
};

inline uint32_t Brightness(uint32_t s) { return Channel(s, 2) / 4 + Channel(s, 1) / 2 + Channel(s, 0) / 4; }

inline uint32_t Tinted(uint32_t s, const uint32_t Tint[3]) {
  const uint32_t K = Brightness(s);
  return (Tint[2] * K >> 8) << 16 | (Tint[1] * K >> 8) << 8 | (Tint[0] * K >> 8);
}

inline bool SeeThrough(uint32_t s) { return s == kKeyPixel || s >> 24 <= 16; }

enum TAlphaRule { arKeep, arMax, arCover };

template <bool Tint, bool Weakened, bool Testing, TAlphaRule Rule>
void CopyTransparentRows(const TWalk& w, const TCopyArea& a, const TTransparentCopy& c) {
  for (int y = 0; y < a.Height; ++y) {
    const uint32_t* s = w.SrcRow(a, y);
    uint32_t* d = w.DstRow(a, y);
    for (int x = 0; x < a.Width; ++x) {
      const uint32_t sp = s[x], sa = sp >> 24;
      if (Testing && SeeThrough(sp)) {
        if (c.UseBg) TakeBackgroundColour(d[x], c.Bg.At(c.BgX + a.DstX + x, c.BgY + a.DstY + y));
        continue;
      }
      const uint32_t Weight = Weakened ? c.Opacity * sa >> 8 : sa;
      const uint32_t da = d[x] >> 24;
      const uint32_t Alpha = Rule == arKeep ? da : Rule == arMax ? std::max(da, sa) : MixByte(da, 255, sa);
      d[x] = BlendColours(d[x], Tint ? Tinted(sp, c.Tint) : sp, Weight, Alpha);
    }
  }
}

using TRowsProc = void (*)(const TWalk&, const TCopyArea&, const TTransparentCopy&);

template <bool Tint, bool Weakened, bool Testing>
TRowsProc PickRows() {
  if (Weakened || (Tint && Testing)) return CopyTransparentRows<Tint, Weakened, Testing, arKeep>;
  return Tint ? CopyTransparentRows<Tint, Weakened, Testing, arCover>
              : CopyTransparentRows<Tint, Weakened, Testing, arMax>;
}

// The fading mirror image below the copied area.
void DrawReflection(const TWalk& w, const TCopyArea& a, TBitmap& Dst, TBitmap& Src, bool Tint, int Percent,
                    const TTransparentCopy& c) {
  const int DstBottom = a.DstY + a.Height, SrcBottom = a.SrcY + a.Height;
  const int N = std::min(Src.Height() / 2 - 1, Dst.Height() - DstBottom - 1);
  if (N < 1) return;
  int F = 255;
  for (int k = 1; k <= N; ++k, F -= 255 / Src.Height()) {
    const int DstY = DstBottom + k, SrcY = SrcBottom - k - 1;
    if (DstY < 0 || DstY >= Dst.Height() || SrcY < 0 || SrcY >= Src.Height()) continue;
    const uint32_t* s = PixelRow(w.S0, w.SStep, SrcY) + a.SrcX;
    uint32_t* d = PixelRow(w.D0, w.DStep, DstY) + a.DstX;
    for (int x = 0; x < a.Width; ++x) {
      const uint32_t sp = s[x];
      if (SeeThrough(sp)) continue;
      const uint32_t Fade = (sp >> 24) * uint32_t(N - k) / uint32_t(N);
      uint32_t Weight;
      if (Tint)
        Weight = Percent == 0 ? Fade >> 2 : (Fade / 4) * c.Opacity >> 8;
      else
        Weight = Percent == 0 ? Fade * F >> 9 : (Fade * F / 512) * c.Opacity >> 8;
      d[x] = BlendColours(d[x], Tint ? Tinted(sp, c.Tint) : sp, std::min<uint32_t>(Weight, 255), d[x] >> 24);
    }
  }
}

}  // namespace

void DrawAlphaOverBackground(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap& Src,
                             const TacBackgroundSource& BgSource, bool UseBg) {
  TCopyArea a;
  TWalk w;
  if (!ClipCopyRects(Dst, Src, DstRect, SrcRect, a) || !w.Prepare(Dst, Src)) return;
  const bool Testing = BgSource.Ready;
  const TBackgroundPixels Bg = BackgroundPixels(UseBg && BgSource.Ready ? BgSource.Bmp : nullptr);
  for (int y = 0; y < a.Height; ++y) {
    const uint32_t* s = w.SrcRow(a, y);
    uint32_t* d = w.DstRow(a, y);
    for (int x = 0; x < a.Width; ++x) {
      const uint32_t sp = s[x], sa = sp >> 24;
      if (Testing && sp == kKeyPixel) {
        if (const uint32_t* b = Bg.At(BgSource.X + a.DstX + x, BgSource.Y + a.DstY + y)) d[x] = *b | 0xFF000000;
        continue;
      }
      const uint32_t da = d[x] >> 24;
      d[x] = BlendColours(d[x], sp, sa, sa != 0 ? da + ((255 - da) * sa >> 8) : da);
    }
  }
}

void CopyRectTransparent(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap* Src,
                         const TacBackgroundSource& BgSource, bool UseBg, uint32_t Color, int Percent, bool Reflected) {
  if (!Src) return;
  SetPixelFormat32(*Src);
  TCopyArea a;
  TWalk w;
  if (!ClipCopyRects(Dst, *Src, DstRect, SrcRect, a) || !w.Prepare(Dst, *Src)) return;
  Percent = std::clamp(Percent, 0, 100);
  TTransparentCopy c{};
  c.Opacity = uint32_t(255 - Percent * 255 / 100);
  const bool Tint = Color != 0x1FFFFFFF;
  if (Tint) {
    const uint32_t r = Color & 0xFF, g = Color >> 8 & 0xFF, b = Color >> 16 & 0xFF;
    const uint32_t Lift = 255 - std::max({r, g, b});
    c.Tint[0] = b + Lift, c.Tint[1] = g + Lift, c.Tint[2] = r + Lift;
  }
  const bool Testing = BgSource.Ready;
  c.UseBg = UseBg && Testing;
  c.Bg = BackgroundPixels(c.UseBg ? BgSource.Bmp : nullptr);
  c.BgX = BgSource.X, c.BgY = BgSource.Y;
  const bool Weakened = Percent != 0;
  TRowsProc Rows = Tint ? (Weakened ? (Testing ? PickRows<true, true, true>() : PickRows<true, true, false>())
                                    : (Testing ? PickRows<true, false, true>() : PickRows<true, false, false>()))
                        : (Weakened ? (Testing ? PickRows<false, true, true>() : PickRows<false, true, false>())
                                    : (Testing ? PickRows<false, false, true>() : PickRows<false, false, false>()));
  Rows(w, a, c);
  if (Reflected) DrawReflection(w, a, Dst, *Src, Tint, Percent, c);
}

void CopyThroughMaskImage(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap& Src,
                          const TacBackgroundSource& BgSource, bool UseBg, const TacMaskedImage& Image) {
  TCopyArea a;
  TWalk w;
  if (!ClipCopyRects(Dst, Src, DstRect, SrcRect, a) || !w.Prepare(Dst, Src)) return;
  const TBackgroundPixels Bg = BackgroundPixels(BgSource.Ready && UseBg ? BgSource.Bmp : nullptr);
  const uint32_t Fill = ExchangeRedBlue(BgSource.FillColor);
  for (int y = 0; y < a.Height; ++y) {
    const uint32_t* s = w.SrcRow(a, y);
    const int MaskY = std::clamp(a.SrcY + y + Image.MaskOffset, 0, Src.Height() - 1);
    const uint32_t* m = PixelRow(w.S0, w.SStep, MaskY) + a.SrcX;
    uint32_t* d = w.DstRow(a, y);
    const int BgY = BgSource.Y + a.DstY + y;
    for (int x = 0; x < a.Width; ++x) {
      const uint32_t sp = s[x];
      if (BgSource.Ready && UseBg) {
        if (Image.OwnAlpha) {
          const int sa = int(sp >> 24);
          if (sa == 0) {
            if (const uint32_t* b = Bg.At(BgSource.X + a.DstX + x, BgY))
              d[x] = *b | 0xFF000000;
            else
              d[x] |= 0xFF000000;
            continue;
          }
          uint32_t p = 0xFF000000;
          for (int i = 0; i < 3; ++i) {
            const int sc = int(Channel(sp, i)), dc = int(Channel(d[x], i));
            p |= uint32_t(std::clamp(sc + ((sa - 255) * (sc - dc) >> 8), 0, 255)) << (8 * i);
          }
          d[x] = p;
        } else if (sp == kKeyPixel) {
          if (const uint32_t* b = Bg.At(BgSource.X + a.DstX + x, BgY)) d[x] = *b | 0xFF000000;
        } else {
          d[x] = BlendThroughMask(d[x], sp, m[x], 255);
        }
      } else if (BgSource.Ready) {
        d[x] = BlendThroughMask(d[x], sp, m[x], 255);
      } else if (UseBg) {
        if (Image.KeyColor ? sp == kKeyPixel : sp >> 24 == 0)
          d[x] = Fill;
        else
          d[x] = BlendThroughMask(d[x], sp, m[x], d[x] >> 24);
      } else if (sp != kKeyPixel) {
        d[x] = BlendThroughMask(d[x], sp, m[x], d[x] >> 24);
      }
    }
  }
}

void CopyRectKeyToBackground(TBitmap& Dst, TBitmap& Src, int X, int Y, RECT SrcRect, uint32_t Key,
                             const TacBackgroundSource& BgSource, bool UseBg) {
  TCopyArea a;
  TWalk w;
  if (!ClipCopyAreaInclusive(Dst, Src, SrcRect, POINT{X, Y}, a) || !w.Prepare(Dst, Src)) return;
  const uint32_t KeyPixel = ExchangeRedBlue(Key) & 0x00FFFFFF;
  enum { kFromBackground, kOntoBackground, kLeaveKey, kFillKey } Mode;
  if (BgSource.Ready && UseBg && BgSource.Bmp)
    Mode = BgSource.Bmp == &Dst ? kOntoBackground : kFromBackground;
  else if (BgSource.Ready)
    Mode = kLeaveKey;
  else
    Mode = kFillKey;
  const TBackgroundPixels Bg = BackgroundPixels(Mode == kFromBackground ? BgSource.Bmp : nullptr);
  const uint32_t Fill = (ExchangeRedBlue(BgSource.FillColor) & 0x00FFFFFF) | (GetPixel32(Dst, 0, 0) & 0xFF000000);
  for (int y = 0; y < a.Height; ++y) {
    const uint32_t* s = w.SrcRow(a, y);
    uint32_t* d = w.DstRow(a, y);
    for (int x = 0; x < a.Width; ++x) {
      const uint32_t sp = s[x];
      if (sp != KeyPixel) {
        d[x] = Mode == kOntoBackground ? sp | 0xFF000000 : sp;
      } else if (Mode == kFromBackground) {
        if (const uint32_t* b = Bg.At(BgSource.X + a.DstX + x, BgSource.Y + a.DstY + y)) d[x] = *b;
      } else if (Mode == kFillKey) {
        d[x] = Fill;
      }
    }
  }
}

void CopyRectExceptColorBlend(TBitmap& Dst, TBitmap& Src, int X, int Y, RECT SrcRect, uint32_t Key, uint8_t Amount) {
  // The rectangle is cut to the source without moving the target; the
  // target side is clipped column by column and row by row.
  SrcRect.left = std::max<LONG>(SrcRect.left, 0);
  SrcRect.top = std::max<LONG>(SrcRect.top, 0);
  SrcRect.right = std::min<LONG>(SrcRect.right, Src.Width() - 1);
  SrcRect.bottom = std::min<LONG>(SrcRect.bottom, Src.Height() - 1);
  TCopyArea a;
  TWalk w;
  if (!ClipCopyAreaInclusive(Dst, Src, SrcRect, POINT{X, Y}, a) || !w.Prepare(Dst, Src)) return;
  const uint32_t KeyPixel = ExchangeRedBlue(Key) & 0x00FFFFFF;
  for (int y = 0; y < a.Height; ++y) {
    const uint32_t* s = w.SrcRow(a, y);
    uint32_t* d = w.DstRow(a, y);
    for (int x = 0; x < a.Width; ++x) {
      if (s[x] == KeyPixel) continue;
      if (Amount == 0)
        d[x] = s[x];
      else
        d[x] = BlendColours(d[x], s[x], Amount, std::max<uint32_t>(d[x] >> 24, Amount));
    }
  }
}

void CopyBitmapExceptColor(TBitmap& Dst, TBitmap& Src, int X, int Y, uint32_t TransColor) {
  TCopyArea a;
  TWalk w;
  if (!ClipCopyArea(Dst, Src, RECT{0, 0, Src.Width(), Src.Height()}, POINT{X, Y}, a) || !w.Prepare(Dst, Src)) return;
  const uint32_t Trans = ExchangeRedBlue(TransColor);
  for (int y = 0; y < a.Height; ++y) {
    const uint32_t* s = w.SrcRow(a, y);
    uint32_t* d = w.DstRow(a, y);
    for (int x = 0; x < a.Width; ++x)
      if (s[x] != Trans) d[x] = s[x] | 0xFF000000;
  }
}

void CopyRectDiagonal(TBitmap& Dst, TBitmap& Src, int Position, RECT SrcRect, POINT DstPoint) {
  TCopyArea a;
  TWalk w;
  if (!ClipCopyAreaInclusive(Dst, Src, SrcRect, DstPoint, a) || !w.Prepare(Dst, Src)) return;
  const int H = a.Height - 1;  // Bottom - Top of the clipped inclusive rectangle
  for (int y = 0; y < a.Height; ++y) {
    const uint32_t* s = w.SrcRow(a, y);
    uint32_t* d = w.DstRow(a, y);
    // x + H - y < Position
    const int Count = std::min(a.Width, std::max(0, Position - H + y));
    std::copy(s, s + Count, d);
  }
}
