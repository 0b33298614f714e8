#include "skin/effects/ClickCircle.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/Graphics.h"
#include "framework/WinControl.h"
#include "skin/core/SkinCommand.h"
#include "skin/effects/ClickWave.h"
#include "skin/effects/StateAnimation.h"
#include "skin/graphics/Blend32.h"
#include "skin/graphics/Gradients.h"
#include "skin/graphics/PixelEffects.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "skin/state/GlowEffects.h"
#include "skin/state/ThreadedTimer.h"

namespace {

// Pascal-style rounding, halves to even, as the rest of the timer's sums.
int RoundEven(double Value) { return int(std::nearbyint(Value)); }

constexpr int kPhaseCircle = 2;

// The remaining spread as a share of the whole spread, times Scale.
double Remaining(double R, const TacCircleGeometry& G, double Scale) {
  const int Spread = G.M - G.D;
  if (Spread <= 0) return 0;
  return std::max(G.M - R, 0.0) * Scale / Spread;
}

bool WaveFollows(TsCommonData* Data) {
  TsSkinManager* Manager = Data->GetSkinManager();
  return Manager && Manager->AnimEffects().Buttons.ClickEffect() == TacClickEffect::ceCircleAndWave;
}

// A control without a window of its own shows the circle through its
// canvas, which draws on the parent's window at the control's place; it
// needs that window to be there.
TGraphicControl* OnParentCanvas(TsCommonData* Data) {
  auto* Graphic = dynamic_cast<TGraphicControl*>(Data->OwnerControl);
  if (!Graphic || !Graphic->Parent() || !Graphic->Parent()->HandleAllocated()) return nullptr;
  return Graphic;
}

void PresentOnCanvas(TGraphicControl& Graphic, TBitmap& Frame) {
  TCanvas& Canvas = Graphic.Canvas();
  Canvas.Lock();
  BitBlt(Canvas.Handle(), 0, 0, Frame.Width(), Frame.Height(), Frame.DC(), 0, 0, SRCCOPY);
  // The last unlock gives the canvas's DC back to the parent's window.
  Canvas.Unlock();
}

void PresentOnWindow(HWND Wnd, TBitmap& Frame) {
  if (HDC DC = GetWindowDC(Wnd)) {
    SetLayout(DC, 0);
    BitBlt(DC, 0, 0, Frame.Width(), Frame.Height(), Frame.DC(), 0, 0, SRCCOPY);
    ReleaseDC(Wnd, DC);
  }
}

}  // namespace

TacCircleGeometry CircleGeometry(int Width, int Height) {
  Width = std::max(Width, 0);
  Height = std::max(Height, 0);
  return {int(std::lround(std::sqrt(double(Width) * Width + double(Height) * Height))) / 4,
          2 * std::max(Width, Height)};
}

double FirstCircleRadius(const TacCircleGeometry& G) { return G.D * 3 / 2.0; }

double NextCircleRadius(double R, bool Pressed, const TacCircleGeometry& G) {
  return Pressed ? R + (R - G.D) / 30 + 1 : R + (G.M - R) / 30 + 1;
}

TacCircleLook CircleLook(double R, bool Pressed, const TacCircleGeometry& G) {
  TacCircleLook Look;
  Look.FadeBack = Pressed ? 0 : std::clamp(RoundEven(Remaining(R, G, 255)), 0, 255);
  Look.Falloff = std::max(RoundEven(Remaining(R, G, G.D / 3.0)), 1);
  Look.Alpha = std::clamp(RoundEven(Remaining(R, G, 255)), 0, 255);
  return Look;
}

bool ClickCircleStep(TsCommonData* Data, int Step) {
  if (!Data || !Data->IsSkinned()) return false;
  TacThreadedTimer* T = Data->FadeTimer;
  if (!T || T->Destroying() || !T->TargetImage || !Data->CacheBmp) return false;
  if (Data->OwnerControl && Data->OwnerControl->Destroying()) return false;
  const HWND Wnd = Data->GetWndHandle();
  TGraphicControl* Graphic = OnParentCanvas(Data);
  if (!Wnd && !Graphic) return false;
  TBitmap& Cache = *Data->CacheBmp;
  const int W = Cache.Width(), H = Cache.Height();
  POINT P{};
  if (Graphic) {
    GetCursorPos(&P);
    P = Graphic->ScreenToClient(P);
  } else if (Data->OwnerControl) {
    GetCursorPos(&P);
    ScreenToClient(Wnd, &P);
  } else {
    RECT R{};
    GetCursorPos(&P);
    GetWindowRect(Wnd, &R);
    P.x -= R.left;
    P.y -= R.top;
  }
  if (P.x < 0 || P.y < 0 || P.x >= W || P.y >= H) {
    // Released or dragged off the control: its own state shows again.
    Data->StopFading();
    Data->Invalidate(false);
    return false;
  }
  const TacCircleGeometry G = CircleGeometry(W, H);
  const int State = T->State;
  const bool Pressed = State == 2;
  int EndMargin = 1;
  if (Pressed) {
    if (T->StepCount == 6) {
      // The first tick of a press: the circle runs while the button is held.
      T->IntState = kPhaseCircle;
      T->Centre = P;
      T->StepCount = INT_MAX;
      T->GlowStep = 0;
      T->Radius = FirstCircleRadius(G);
      T->SourceImage.reset();
    } else {
      T->Radius = NextCircleRadius(T->Radius, true, G);
    }
  } else {
    if (Data->BGChanged) SendCtrlCommand(Data->OwnerControl, AC_BUILDCACHE, 0);
    T->Radius = NextCircleRadius(T->Radius, false, G);
    EndMargin = WaveFollows(Data) ? 40 : 10;
  }
  const TacCircleLook Look = CircleLook(T->Radius, Pressed, G);
  T->Radius = RoundEven(T->Radius);
  const int R = int(T->Radius);

  CopyToImage(T->FrameImage, *T->TargetImage, RECT{0, 0, W, H});
  const uint32_t Light = uint32_t(Data->GetLightColor(State)) & 0xFFFFFF;
  if (auto Shape = CreateGlowShape(Light | 0x66000000u, R / 2, 0, 0, 0, Look.Falloff, false, false)) {
    const POINT At{T->Centre.x - Shape->Width() / 2, T->Centre.y - Shape->Height() / 2};
    DrawBitmapAlpha(*T->FrameImage, *Shape, RECT{0, 0, Shape->Width() - 1, Shape->Height() - 1}, At,
                    uint8_t(Look.Alpha / 2));
  }
  if (Look.FadeBack != 0) MixBitmaps(*T->FrameImage, Cache, uint8_t(Look.FadeBack));
  if (Graphic)
    PresentOnCanvas(*Graphic, *T->FrameImage);
  else
    PresentOnWindow(Wnd, *T->FrameImage);

  if (Step >= T->StepCount || G.M - R < EndMargin) {
    if (State != 1) HideLayeredEffect(Data->GlowId, false);
    if (State < 2) {
      if (WaveFollows(Data)) {
        T->IntState = 0;
        StartClickEffect(Data, 0);
      }
      Data->Invalidate(false);
    }
    Data->StopFading();
    return false;
  }
  if (Data->GlowId >= 0 && GlowAlphaSetter) GlowAlphaSetter(Data->GlowId, uint8_t(Look.Alpha / 2));
  if (State == 0 && Look.Alpha < 10) {
    T->Level = 0;
    HideLayeredEffect(Data->GlowId, false);
  }
  return true;
}
