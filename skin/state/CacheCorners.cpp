#include "skin/state/CacheCorners.h"

#include <algorithm>

#include "framework/Graphics.h"
#include "framework/WinControl.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ParentBackground.h"
#include "skin/painting/SkinRect.h"
#include "skin/state/CommonData.h"
#include "skin/state/PaintBorderData.h"

namespace {

constexpr uint32_t kKeyColor = 0xFF00FF;

struct TPixels {
  uint8_t* Row0 = nullptr;
  ptrdiff_t Step = 0;
  int Width = 0, Height = 0;
  // Only 32-bit bitmaps are read or written pixel by pixel.
  bool Open(TBitmap* Bmp) {
    if (!Bmp || Bmp->PixelFormat() != pf32bit || !PrepareScanlineWalk(Bmp, Row0, Step)) return false;
    Width = Bmp->Width();
    Height = Bmp->Height();
    return true;
  }
  uint32_t* At(int X, int Y) const { return PixelRow(Row0, Step, Y) + X; }
};

void FillCorner(TBitmap& Cache, const RECT& Dest, TBitmap& Image, POINT Src, const TacBackgroundInfo& Bg,
                bool ByAlpha) {
  TPixels Dst, Pic, Back;
  if (!Dst.Open(&Cache) || !Pic.Open(&Image)) return;
  const bool FromBitmap = Bg.BgKind == bgkBitmap;
  if (FromBitmap) {
    if (!Back.Open(Bg.Bmp)) return;
  } else if (Bg.BgKind != bgkColor || Bg.Color == kKeyColor) {
    return;
  }
  // A colour answer is tested by the key colour whatever the picture.
  ByAlpha = ByAlpha && FromBitmap;
  const uint32_t Fill = ExchangeRedBlue(ColorToRGB(TColor(Bg.Color))) | 0xFF000000;
  // The rectangle cut to the cache and to the picture (through Src).
  const int DL = Dest.left, DT = Dest.top, SX = Src.x, SY0 = Src.y;
  const int Left = std::max({DL, 0, DL - SX});
  const int Top = std::max({DT, 0, DT - SY0});
  const int Right = std::min({int(Dest.right), Dst.Width, DL - SX + Pic.Width});
  const int Bottom = std::min({int(Dest.bottom), Dst.Height, DT - SY0 + Pic.Height});
  for (int Y = Top; Y < Bottom; ++Y) {
    const int SY = Src.y + Y - Dest.top;
    const int BY = Y + Bg.OffsetY;
    if (FromBitmap && (BY < 0 || BY >= Back.Height)) continue;
    for (int X = Left; X < Right; ++X) {
      const uint32_t P = *Pic.At(Src.x + X - Dest.left, SY);
      if (ByAlpha ? (P >> 24) != 0 : (P & 0xFFFFFF) != kKeyColor) continue;
      if (!FromBitmap) {
        *Dst.At(X, Y) = Fill;
        continue;
      }
      const int BX = X + Bg.OffsetX;
      if (BX >= 0 && BX < Back.Width) *Dst.At(X, Y) = *Back.At(BX, BY);
    }
  }
}

// The control's position in the parent the background came from.
POINT PositionInParent(TsCommonData& Data, HWND ParentWnd) {
  if (Data.OwnerControl) return POINT{Data.OwnerControl->Left(), Data.OwnerControl->Top()};
  RECT R{};
  GetWindowRect(Data.GetWndHandle(), &R);
  POINT P{R.left, R.top};
  if (ParentWnd) ScreenToClient(ParentWnd, &P);
  return P;
}

}  // namespace

void FillCornerFromBackground(TBitmap& Cache, const RECT& Dest, TBitmap& Image, POINT Src,
                              const TacBackgroundInfo& Bg) {
  FillCorner(Cache, Dest, Image, Src, Bg, false);
}

void FillMaskedCornerFromBackground(TBitmap& Cache, const RECT& Dest, TBitmap& Image, POINT Src,
                                    const TacBackgroundInfo& Bg, bool ByAlpha) {
  FillCorner(Cache, Dest, Image, Src, Bg, ByAlpha);
}

void FillCacheCorners(TsCommonData* Data, int State, int Corners) {
  if (!Data) return;
  TsSkinManager* Manager = Data->GetSkinManager();
  if (!Manager || !Manager->IsSkinLoaded() || Data->CustomBorder().IsCustom() || Data->SkinIndex < 0 || !Data->CacheBmp)
    return;
  TacSkinData* SkinData = Data->GetScaledSkinData();
  if (!SkinData || !IsValidSectionIndex(SkinData->GeneralDataArray, Data->SkinIndex)) return;
  const int Border = SkinData->GeneralDataArray[Data->SkinIndex].BorderIndex;
  if (!IsValidMaskIndex(SkinData->MaskArray, Border)) return;
  TsMaskData Item = SkinData->MaskArray[Border];
  if (!(Item.CornerMode & 1)) return;

  TacBackgroundInfo Bg;
  HWND ParentWnd = nullptr;
  if (Data->OwnerControl && Data->OwnerControl->Parent()) {
    QueryControlBackground(Bg, Data->OwnerControl->Parent(), false);
  } else {
    const HWND Own = Data->GetWndHandle();
    ParentWnd = Own ? GetParent(Own) : nullptr;
    if (!ParentWnd) return;
    QueryWindowBackground(Bg, ParentWnd, false);
  }
  if (Item.ImageCount == 0 && Item.Bmp) {
    Item.ImageCount = 3;
    Item.MaskType = 1;
    Item.SrcRect = RECT{0, 0, Item.Bmp->Width(), Item.Bmp->Height()};
    Item.FrameWidth = Item.Bmp->Width() / 3;
    Item.FrameHeight = Item.Bmp->Height() / 2;
  }
  if (Bg.BgKind == bgkBitmap) {
    const POINT Pos = PositionInParent(*Data, ParentWnd);
    Bg.OffsetX += Pos.x;
    Bg.OffsetY += Pos.y;
  }
  TBitmap* Image = MaskSourceBitmap(Item);
  if (!Image || Item.ImageCount < 1) return;

  const int WL = Item.WL, WT = Item.WT, WR = Item.WR, WB = Item.WB;
  const int CW = Item.FrameWidth - WL - WR;
  const int FrameLeft = Item.SrcRect.left + Item.FrameWidth * std::clamp(State, 0, Item.ImageCount - 1);
  const int FrameTop = Item.SrcRect.top;
  const bool Masked = Item.MaskType != 0;
  const bool OwnAlpha = !Masked && (Item.DrawMode & dmOwnAlpha);
  const int BottomRows = (Masked || OwnAlpha) ? FrameTop + Item.FrameHeight - WB : Item.SrcRect.bottom - WB;
  const int W = Data->CacheBmp->Width(), H = Data->CacheBmp->Height();

  struct TCorner {
    int Bit;
    POINT Src;
    RECT Dest;
  };
  const TCorner Order[] = {
      {1, {FrameLeft, FrameTop}, {0, 0, WL, WT}},
      {2, {FrameLeft, BottomRows}, {0, H - WB, WL, H}},
      {8, {FrameLeft + WL + CW, BottomRows}, {W - WR, H - WB, W, H}},
      {4, {FrameLeft + WL + CW, FrameTop}, {W - WR, 0, W, WT}},
  };
  for (const TCorner& C : Order) {
    if (!(Corners & C.Bit)) continue;
    if (Masked || OwnAlpha)
      FillMaskedCornerFromBackground(*Data->CacheBmp, C.Dest, *Image, C.Src, Bg, OwnAlpha);
    else
      FillCornerFromBackground(*Data->CacheBmp, C.Dest, *Image, C.Src, Bg);
  }
}
