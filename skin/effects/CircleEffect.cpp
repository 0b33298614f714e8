#include "skin/effects/CircleEffect.h"

#include <algorithm>
#include <cmath>

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/Form.h"
#include "skin/core/SkinCommand.h"
#include "skin/graphics/Blend32.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/Gradients.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/forms/SkinColors.h"
#include "skin/forms/WindowQueries.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"

namespace {

constexpr int kCircleRadius = 23;
constexpr UINT kCircleInterval = 24;
constexpr uint8_t kHotAlpha = 17;
constexpr uint8_t kPressedAlpha = 102;

TacCircleEffect* CircleAt(int Index) { return dynamic_cast<TacCircleEffect*>(LayeredEffect(Index)); }

HWND OwnerWindowOf(TsCommonData* Data) {
  if (auto* Windowed = dynamic_cast<TWinControl*>(Data->OwnerControl)) return Windowed->HandleIfAllocated();
  return Data->OwnerControl ? nullptr : Data->Wnd;
}

bool EffectRect(TsCommonData* Data, RECT& R) {
  const HWND Wnd = OwnerWindowOf(Data);
  if (!Wnd) return false;
  R = RECT{};
  SendMessageW(Wnd, WM_SKINCOMMAND, SkinCommandWParam(AC_GETEFFECTRECT), LPARAM(&R));
  return !IsRectEmpty(&R);
}

uint32_t LightColorFor(TsCommonData* Data, int State, uint8_t DefaultAlpha) {
  uint32_t Color = uint32_t(Data->GetLightColor(State));
  DefaultLightColor(Color, DefaultAlpha);
  return Color;
}

bool LeftButtonDown() {
  return (GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) & 0x8000) != 0;
}

bool CursorIn(const RECT& R) {
  POINT P{};
  return GetCursorPos(&P) && PtInRect(&R, P);
}

}  // namespace

bool AdvanceCircle(TacCircleValues& V, bool ButtonDown) {
  if (ButtonDown) {
    V.CurRadius += (V.ToRadius - V.CurRadius) / 7;
    V.CurOpacity += V.EndOpacity != 0 ? 5 : -5;
  } else {
    V.CurRadius += (V.ToRadius - V.CurRadius) / 5;
    V.CurOpacity += V.EndOpacity == 255 ? -15 : 15;
  }
  V.CurOpacity = std::clamp(V.CurOpacity, 0.0, 255.0);
  if (V.ToRadius - 1 > V.CurRadius) return true;
  V.CurRadius = V.ToRadius;
  return false;
}

std::unique_ptr<TBitmap> MakeCircleImage(int Radius, uint32_t Color, TBitmap* Backdrop, uint8_t Opacity) {
  if (Radius < 2) return nullptr;
  auto Shape = CreateGlowShape(Color, Radius, 0, 0, 0, Radius / 5, false, true);
  if (!Backdrop) return Shape;
  auto Image = NewBitmap32(Backdrop->Width(), Backdrop->Height());
  CopyBitmapFull(*Image, *Backdrop);
  const POINT At{(Image->Width() - Shape->Width()) / 2, (Image->Height() - Shape->Height()) / 2};
  DrawBitmapAlpha(*Image, *Shape, RECT{0, 0, Shape->Width(), Shape->Height()}, At, Opacity);
  return Image;
}

void TacCircleEffect::Repaint() {
  if (!OwnerData) return;
  RECT R{};
  if (EffectRect(OwnerData, R)) MidPoint = POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  const int Radius = int(std::lround(CurRadius));
  const int Opacity = int(std::lround(CurOpacity));
  if (Radius == ShownRadius && Opacity == ShownOpacity && MidPoint.x == ShownPoint.x && MidPoint.y == ShownPoint.y &&
      LightColor == ShownColor && EffectForm.HandleIfAllocated())
    return;
  ShownRadius = Radius;
  ShownOpacity = Opacity;
  ShownPoint = MidPoint;
  ShownColor = LightColor;
  Image = MakeCircleImage(Radius, LightColor, Backdrop.get(), uint8_t(Opacity));
  if (!Image) {
    EffectForm.Hide();
    return;
  }
  const POINT At{MidPoint.x - Image->Width() / 2, MidPoint.y - Image->Height() / 2};
  ShownRect = RECT{At.x, At.y, At.x + Image->Width(), At.y + Image->Height()};
  TForm* Form = OwnerData->OwnerControl ? ParentFormOf(OwnerData->OwnerControl) : nullptr;
  const HWND FormWnd = Form ? Form->HandleIfAllocated() : nullptr;
  EffectForm.Show(*Image, At, 255, InsertAfterFor(FormWnd));
  Image.reset();
}

int CircleRadius(TsCommonData* Data) { return ScaleToPPI(kCircleRadius, Data); }

void DefaultLightColor(uint32_t& Color, uint8_t Alpha) {
  if (Color != 0xFFFFFFFF) return;
  Color = (SkinColorToRGB(TColor(0xFF000012), TsSkinManager::DefaultManager()) & 0xFFFFFF) | uint32_t(Alpha) << 24;
}

void SetCircleParams(int Index, const TacCircleParams& Params) {
  TacCircleEffect* Circle = CircleAt(Index);
  if (!Circle) return;
  Circle->OwnerData = Params.Data;
  Circle->Manager = Params.Data ? Params.Data->GetSkinManager() : nullptr;
  Circle->GrowMode = Params.Mode;
  Circle->ToRadius = Params.ToRadius;
  Circle->FromRadius = Params.FromRadius;
  Circle->MidPoint = POINT{Params.CenterX, Params.CenterY};
  Circle->EffectState = Params.State;
  Circle->LightColor = Params.Color;
  Circle->EndOpacity = Params.EndOpacity;
  Circle->CurRadius = Circle->CurOpacity != 0 ? Params.FromRadius : 0;
  Circle->CurOpacity = Params.StartAlpha;
}

int ShowCircleEffect(const TacCircleParams& Params) {
  if (!LayeredWindowsAvailable() || !Params.Data) return -1;
  const int Index = AddLayeredEffect(std::make_unique<TacCircleEffect>());
  SetCircleParams(Index, Params);
  LayeredEffect(Index)->Repaint();
  return Index;
}

void AnimateCircleEffect(const TacCircleParams& Params, bool Animate) {
  TsCommonData* Data = Params.Data;
  if (!Data) return;
  TsSkinManager* Manager = Data->GetSkinManager();
  if (Data->IsSkinned() && Animate && Manager && Manager->Effects().AllowAnimation() && Data->OwnerControl) {
    if (!CircleAt(Data->EffectId))
      Data->EffectId = ShowCircleEffect(Params);
    else
      SetCircleParams(Data->EffectId, Params);
    TacCircleEffect* Circle = CircleAt(Data->EffectId);
    if (!Circle) return;
    if (!Data->EffectTimer) Data->EffectTimer = new TacThreadedTimer(Data->OwnerControl, true);
    TacThreadedTimer* Timer = Data->EffectTimer;
    const bool WasActive = Timer->State == 1 || Timer->State == 2;
    Timer->SetEnabled(false);
    Timer->StepCount = 0x7FFFFFFF;
    Timer->Step = 0x3FFFFFFF;
    if (!WasActive) {
      if (Circle->CurRadius == 0) Circle->CurRadius = Params.FromRadius;
      if (Circle->CurOpacity == 0) Circle->CurOpacity = Params.StartAlpha;
    }
    Timer->State = Params.State;
    Timer->Data = Data;
    Timer->StepProc = Params.StepProc;
    Timer->AnimMode = 1;
    Timer->SetInterval(kCircleInterval);
    Timer->SetEnabled(true);
    Timer->TimeHandler();
    return;
  }
  if (!CircleAt(Data->EffectId))
    Data->EffectId = ShowCircleEffect(Params);
  else
    SetCircleParams(Data->EffectId, Params);
  if (TacCircleEffect* Circle = CircleAt(Data->EffectId)) {
    Circle->CurOpacity = Params.StartAlpha;
    // Without animation the circle shows its final size at once.
    Circle->CurRadius = Params.ToRadius;
    Circle->Repaint();
  }
  if (Data->EffectTimer) Data->EffectTimer->AnimMode = 1;
}

bool CircleEffectStep(TsCommonData* Data, int) {
  if (!Data || !Data->EffectTimer) return false;
  if (!CircleAt(Data->EffectId)) UpdateCircleEffect(Data, false);
  TacCircleEffect* Circle = CircleAt(Data->EffectId);
  RECT R{};
  if (!Circle || !EffectRect(Data, R)) return false;
  const bool Down = LeftButtonDown();
  if (!CursorIn(R)) {
    if (!Down) {
      HideGlowOrCircle(Data->EffectId, false);
      return false;
    }
    Circle->CurRadius = Circle->ToRadius;
    Circle->CurOpacity = Circle->EndOpacity;
  }
  Circle->MidPoint = POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  TacCircleValues V{Circle->CurRadius, Circle->CurOpacity, Circle->ToRadius, Circle->EndOpacity};
  const bool Going = AdvanceCircle(V, Down);
  Circle->CurRadius = V.CurRadius;
  Circle->CurOpacity = V.CurOpacity;
  if (!Going) {
    Data->EffectTimer->SetEnabled(false);
    if (Circle->EffectState == 1 && !Down) {
      const bool ToPressed = Data->FadeTimer && Data->FadeTimer->State == 2;
      Circle->LightColor = LightColorFor(Data, 1, ToPressed ? kPressedAlpha : kHotAlpha);
    }
  }
  Circle->Repaint();
  return Going;
}

void UpdateCircleEffect(TsCommonData* Data, bool Animate) {
  TsSkinManager* Manager = Data ? Data->GetSkinManager() : nullptr;
  if (!Manager || !Manager->Effects().AllowGlowing() || Data->SkinIndex < 0 || Manager->Options().NoMouseHover())
    return;
  RECT R{};
  if (!EffectRect(Data, R)) return;
  if (!CursorIn(R) || !Data->MouseAbove) {
    HideGlowOrCircle(Data->EffectId, Animate);
    return;
  }
  if (!Manager->Effects().AllowAnimation()) Animate = false;
  TacLayeredEffect* Existing = LayeredEffect(Data->EffectId);
  if (Existing && !Existing->IsCircle()) HideGlowOrCircle(Data->EffectId, false);
  TacCircleEffect* Circle = CircleAt(Data->EffectId);
  const int Wanted = Circle && LeftButtonDown() ? 2 : 1;
  if (Circle && Circle->EffectState == Wanted && Circle->EffectForm.HandleIfAllocated()) return;
  TacCircleParams P;
  P.Data = Data;
  P.StepProc = CircleEffectStep;
  P.CenterX = (R.left + R.right) / 2;
  P.CenterY = (R.top + R.bottom) / 2;
  P.State = Wanted;
  P.ToRadius = CircleRadius(Data);
  P.StartAlpha = 255;
  P.EndOpacity = 255;
  if (Wanted == 1) {
    if (Circle) {
      P.Color = LightColorFor(Data, 2, kPressedAlpha);
      P.FromRadius = int(std::lround(Circle->CurRadius));
    } else {
      P.Color = LightColorFor(Data, 1, kHotAlpha);
      P.FromRadius = 10;
    }
  } else {
    P.Color = LightColorFor(Data, 2, kPressedAlpha);
    P.FromRadius = 0;
    P.EndOpacity = Animate ? 0 : 255;
    // The pressed ripple grows and fades over the hot circle.
    Circle->Backdrop = CreateGlowShape(LightColorFor(Data, 1, kHotAlpha), P.ToRadius, 0, 0, 0, P.ToRadius / 4, false,
                                       true);
  }
  if (Animate)
    AnimateCircleEffect(P, true);
  else
    AnimateCircleEffect(P, false);
}
