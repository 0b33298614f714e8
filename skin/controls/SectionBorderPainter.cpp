#include "skin/controls/SectionBorderPainter.h"

#include <algorithm>

#include "framework/WinControl.h"
#include "skin/graphics/FrameDrawing.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/painting/ParentBackground.h"
#include "skin/painting/SectionPainting.h"
#include "skin/painting/SkinRect.h"
#include "skin/state/CommonData.h"
#include "skin/state/SectionLookup.h"

void PaintSectionBorder(HDC DC, const RECT& R, int BorderWidth, TsCommonData& SkinData, int State, RECT& InnerR) {
  const uint32_t Color = SkinData.GetBgColor(State);
  TControl* Owner = SkinData.OwnerControl;
  TacBackgroundInfo Bg;
  if (Owner && Owner->Parent()) QueryControlBackground(Bg, Owner->Parent(), false);

  TacSkinData* Data = SkinData.GetScaledSkinData();
  const TsGeneralData* Section = SectionAt(Data, SkinData.SkinIndex);
  const TsMaskData* Mask = Section ? BorderMaskOf(Data, *Section) : nullptr;
  const int Width = R.right - R.left, Height = R.bottom - R.top;
  if (Mask) {
    if (const TsGeneralData* MaskSection = SectionAt(Data, Mask->SectionIndex))
      State = std::max(0, std::min(State, MaskSection->States - 1));
    SkinData.InitCacheBmp();
    TBitmap& Cache = *SkinData.CacheBmp;
    const int WL = Mask->WL, WT = Mask->WT, WR = Mask->WR, WB = Mask->WB;
    const POINT Pos = Owner ? POINT{Owner->Left(), Owner->Top()} : POINT{0, 0};
    if ((Mask->DrawMode & dmStretch) != 0 && Bg.BgKind == bgkBitmap && Bg.Bmp) {
      const int Strip = std::max({WL, WT, WR, WB});
      BlitFrameStrips(Cache.DC(), R.left, R.top, Width, Height, Bg.Bmp->DC(), Pos.x + Bg.OffsetX + R.left,
                      Pos.y + Bg.OffsetY + R.top, Strip, Strip, Strip, Strip);
    }
    TacBackgroundSource Source;
    BackgroundInfoToSource(Bg, Source);
    Source = ShiftBackgroundSource(Source, Pos);
    DrawSkinRect(Cache, R, Source, *Mask, State, true);
    InnerR = RECT{R.left + WL, R.top + WT, R.right - WR, R.bottom - WB};
    if (BorderWidth != 0) {
      const int Left = std::max(std::min(BorderWidth, Width - WR) - WL, 0);
      const int Top = std::max(std::min(BorderWidth, Height - WB) - WT, 0);
      const int Right = std::max(std::min(BorderWidth, Width - WL) - WR, 0);
      const int Bottom = std::max(std::min(BorderWidth, Height - WT) - WB, 0);
      FillFrameSides(Cache, InnerR, Left, Top, Right, Bottom, Color);
      InnerR = R;
      InflateRect(&InnerR, -BorderWidth, -BorderWidth);
      // A border wider than half the control meets itself: no negative size.
      InnerR.right = std::max(InnerR.right, InnerR.left);
      InnerR.bottom = std::max(InnerR.bottom, InnerR.top);
      if (DC != Cache.DC())
        BlitFrameStrips(DC, R.left, R.top, Width, Height, Cache.DC(), R.left, R.top, BorderWidth, BorderWidth,
                        BorderWidth, BorderWidth);
    }
  } else if (BorderWidth != 0) {
    FillFrameOnDC(DC, R, BorderWidth, BorderWidth, BorderWidth, BorderWidth, Color, 0);
  }
}
