#include "skin/effects/ComboEditFade.h"

#include <algorithm>
#include <cmath>

#include "framework/GdiHandles.h"
#include "framework/WinControl.h"
#include "skin/effects/StateAnimation.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Blend32.h"
#include "skin/state/CommonData.h"
#include "skin/state/GlowEffects.h"

namespace {

int RoundLevel(double Value) { return int(std::lround(std::clamp(Value, 0.0, 255.0))); }

bool SameSize(const TBitmap* A, const TBitmap& B) { return A && A->Width() == B.Width() && A->Height() == B.Height(); }

void CopyImage(std::unique_ptr<TBitmap>& To, TBitmap& From) {
  if (!SameSize(To.get(), From)) {
    To = std::make_unique<TBitmap>();
    To->SetPixelFormat(pf32bit);
    To->SetSize(From.Width(), From.Height());
  }
  BitBlt(To->DC(), 0, 0, From.Width(), From.Height(), From.DC(), 0, 0, SRCCOPY);
}

// The border area (the frame less the client area) and the button, or the
// whole window when the edit paints it all.
void Present(HWND Wnd, TBitmap& Frame, const TacComboEditFadeTarget& Edit) {
  HDC DC = GetWindowDC(Wnd);
  if (!DC) return;
  // A mirrored window would flip the frame, which is already laid out.
  SetLayout(DC, 0);
  if (Edit.PaintsOwnFrame()) {
    BitBlt(DC, 0, 0, Frame.Width(), Frame.Height(), Frame.DC(), 0, 0, SRCCOPY);
  } else {
    const int saved = SaveDC(DC);
    const RECT client = Edit.FadeClientRect();
    ExcludeClipRect(DC, client.left, client.top, client.right, client.bottom);
    BitBlt(DC, 0, 0, Frame.Width(), Frame.Height(), Frame.DC(), 0, 0, SRCCOPY);
    RestoreDC(DC, saved);
    const RECT b = Edit.FadeButtonRect();
    if (b.right > b.left && b.bottom > b.top)
      BitBlt(DC, b.left, b.top, b.right - b.left, b.bottom - b.top, Frame.DC(), b.left, b.top, SRCCOPY);
  }
  ReleaseDC(Wnd, DC);
}

}  // namespace

bool FadeStepComboEdit(TsCommonData* Data, int Step) {
  if (!Data) return false;
  TacThreadedTimer* T = Data->FadeTimer;
  auto* Edit = dynamic_cast<TacComboEditFadeTarget*>(Data->OwnerControl);
  if (!T || T->Destroying() || !Edit) return false;
  if (Data->OwnerControl->Destroying()) return false;
  TBitmap* Cache = Data->CacheBmp.get();
  if (!Cache || Cache->Width() <= 0 || Cache->Height() <= 0 || T->StepCount <= 0) return false;
  if (!SameSize(T->SourceImage.get(), *Cache)) CopyImage(T->SourceImage, *Cache);
  if (!T->TargetImage) return false;
  CopyImage(T->FrameImage, *T->SourceImage);

  // Level as the window fade moves it; the hot-and-pressed state 3 rises like 1.
  const int State = T->State;
  if (State == 3) T->State = 1;
  const int L = AdvanceFadeLevel(*T, Step);
  T->State = State;
  T->ButtonLevel = std::clamp(T->ButtonLevel + T->ButtonLevelStep, 0.0, 255.0);
  const int B = RoundLevel(T->ButtonLevel);
  BlendRectConstant(*T->FrameImage, *T->TargetImage, uint8_t(255 - B),
                    RECT{0, 0, T->FrameImage->Width() - 1, T->FrameImage->Height() - 1}, POINT{0, 0});
  const bool pulse = Data->PulseTimer && Data->PulseTimer->Enabled();
  const HWND Wnd = Data->GetWndHandle();
  if (Wnd && !pulse) Present(Wnd, *T->FrameImage, *Edit);

  if (Step < T->StepCount) {
    if (Data->GlowId >= 0 && GlowAlphaSetter) GlowAlphaSetter(Data->GlowId, uint8_t(L));
    return true;
  }
  if (State == 0 && L != 0 && T->GlowStep > 0) {
    T->Step = T->StepCount - int(std::lround(T->Level / T->GlowStep)) - 1;
    return true;
  }
  // A press shows the whole pressed button before it stops.
  if (State == 2 && B < 255 && T->ButtonLevelStep > 0) {
    T->Step = Step - 1;
    return FadeStepComboEdit(Data, T->Step);
  }
  // A run that went on from a frame midway ends short of the button's full
  // level: what stays on screen is the new picture itself.
  if (B < 255) {
    CopyImage(T->FrameImage, *T->TargetImage);
    if (Wnd && !pulse) Present(Wnd, *T->FrameImage, *Edit);
  }
  if (State == 0) Data->StopFading();
  if (State != 1 && State != 3) HideLayeredEffect(Data->GlowId, false);
  return false;
}
