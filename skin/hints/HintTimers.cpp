#include "skin/hints/HintTimers.h"

#include <algorithm>
#include <cmath>

#include "framework/Application.h"
#include "skin/core/SectionRecords.h"
#include "skin/forms/LayeredWindows.h"
#include "skin/forms/WindowQueries.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/hints/AlphaHints.h"
#include "skin/hints/HintSkinBody.h"
#include "skin/hints/HintWindows.h"

TControl* (*HintMouseControl)() = &ControlUnderMouse;

namespace {
constexpr UINT kHintCheckInterval = 300;

void MoveTopmost(TForm& Form, int X, int Y, int Width, int Height, HWND InsertAfter = HWND_TOPMOST) {
  SetWindowPos(Form.Handle(), InsertAfter, X, Y, Width, Height, SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

std::unique_ptr<TacThreadedTimer> NewStoppedTimer() {
  auto timer = std::make_unique<TacThreadedTimer>(nullptr);
  timer->SetEnabled(false);
  return timer;
}
}  // namespace

// ---- carriers ---------------------------------------------------------------

std::unique_ptr<TForm> CreateHintCarrier(TacCustomHintWindow* Window, const RECT& R) {
  auto form = std::make_unique<TForm>(nullptr, CreateNew);
  form->SetBorderStyle(TFormBorderStyle::bsNone);
  form->SetTag(acExclusionTag);
  form->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
  HWND wnd = form->Handle();
  // Failures leave a plainer window; there is nobody to tell.
  SetWindowLongPtrW(
      wnd, GWL_EXSTYLE,
      GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_TOPMOST | WS_EX_TRANSPARENT | WS_EX_LAYERED | WS_EX_NOACTIVATE);
  SetWindowPos(wnd, HWND_TOPMOST, R.left, R.top, R.right - R.left, R.bottom - R.top,
               SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  const ULONG_PTR classStyle = GetClassLongPtrW(wnd, GCL_STYLE);
  const bool layeredBody = !Window || Window->HintUsesLayeredBody();
  SetClassLongPtrW(wnd, GCL_STYLE, layeredBody ? classStyle & ~ULONG_PTR(CS_DROPSHADOW) : classStyle | CS_DROPSHADOW);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  return form;
}

// ---- hide timer -------------------------------------------------------------

void StartHintHideTimer(TsAlphaHints* Hints, UINT Interval) {
  if (!Hints) return;
  if (!Hints->CloseTimer) Hints->CloseTimer = NewStoppedTimer();
  TacThreadedTimer& timer = *Hints->CloseTimer;
  timer.SetEnabled(false);
  timer.SetInterval(Interval ? Interval : kHintCheckInterval);
  if (Interval) {
    timer.SetOnTimer([Hints](TObject*) {
      Hints->CloseTimer->SetEnabled(false);
      Hints->ReleaseHintWindow();
    });
  } else {
    timer.SetOnTimer([Hints](TObject*) {
      TControl* control = HintMouseControl();
      if (control && control == Hints->HintedControl) return;
      Hints->CloseTimer->SetEnabled(false);
      if (Hints->FadeTimer) Hints->FadeTimer->SetEnabled(false);
      Hints->HideHint();
      Hints->HintedControl = nullptr;
    });
  }
  timer.SetEnabled(true);
}

// ---- cleanup timer ----------------------------------------------------------

void StartHintCleanupTimer(TsAlphaHints* Hints) {
  if (!Hints) return;
  Hints->CleanupTimer = NewStoppedTimer();
  Hints->CleanupTimer->SetOnTimer([Hints](TObject*) { HintCleanupTimerTick(Hints); });
  Hints->CleanupTimer->SetInterval((Application ? Application->HintShortPause() : 50) + kHintCheckInterval);
  Hints->CleanupTimer->SetEnabled(true);
}

void HintCleanupTimerTick(TsAlphaHints* Hints) {
  TsAlphaHints* h = ActiveHints;
  if (h) {
    HWND current = LastHintWindow ? LastHintWindow->HandleIfAllocated() : nullptr;
    if (!current || !IsWindowVisible(current) || !h->BubbleShown) {
      h->FadeAlpha = 0;
      h->NextCarrier.reset();
      h->PrevPicture.reset();
      h->Carrier.reset();
      if (h->SavedHintPause != 0 && Application) {
        Application->SetHintPause(h->SavedHintPause);
        h->SavedHintPause = 0;
      }
    }
  }
  if (Hints && Hints->CleanupTimer) Hints->CleanupTimer->SetEnabled(false);
}

// ---- show animation ---------------------------------------------------------

TsShowTimer::TsShowTimer() : TacThreadedTimer(nullptr) { SetEnabled(false); }

TsShowTimer::~TsShowTimer() {
  if (Window) Window->RemoveFreeNotification(this);
}

void TsShowTimer::Notification(TComponent* AComponent, TOperation Operation) {
  TacThreadedTimer::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == Window) {
    // Without its window the run is over.
    Window = nullptr;
    SetEnabled(false);
  }
}

void InitHintShowAnimation(TsShowTimer& Timer, TacCustomHintWindow* Window, int Width, int Height, int Steps) {
  TsAlphaHints* h = ActiveHints;
  Timer.SetInterval(kHintShowInterval);
  Timer.SetOnTimer([&Timer](TObject*) { HintShowAnimationStep(Timer); });
  Timer.StepCount = 0;
  Timer.Steps = std::max(Steps, 0);
  if (Timer.Window) Timer.Window->RemoveFreeNotification(&Timer);
  Timer.Window = Window;
  if (Window) Window->FreeNotification(&Timer);
  // Template bubbles rise to full strength, skin bubbles to the strength
  // their section's transparency leaves. A section that is all see-through
  // would never show: its border image carries the bubble's own alpha.
  Timer.AlphaFloor = 0;
  if (const TsGeneralData* section = Window ? HintSection(Window->SectionIndex) : nullptr) {
    const int transparency = section->Props[0].Transparency;
    if (transparency > 0 && transparency < 100) Timer.AlphaFloor = transparency * 255 / 100;
  }
  if (Window) Window->PrepareAlphaBmp(Width, Height);
  Timer.Increment = Timer.Steps > 0 ? (255.0 - Timer.AlphaFloor) / Timer.Steps : 255.0 - Timer.AlphaFloor;
  if (h && h->Carrier) {
    Timer.StartBounds = h->Carrier->BoundsRect();
    const RECT& target = h->TargetBounds;
    const RECT& from = Timer.StartBounds;
    const TacHintCorner corner = Window ? Window->Corner : hcLeftTop;
    Timer.DX = (corner == hcRightTop || corner == hcRightBottom) ? (from.left - target.left) / 5.0
                                                                 : (target.left - from.left) / 5.0;
    Timer.DY = (corner == hcLeftBottom || corner == hcRightBottom) ? (from.top - target.top) / 5.0
                                                                   : (target.top - from.top) / 5.0;
    Timer.X = from.left;
    Timer.Y = from.top;
  }
  Timer.SetEnabled(true);
  if (h && Application) {
    if (h->SavedHintPause == 0) h->SavedHintPause = Application->HintPause();
    Application->SetHintPause(100);
  }
}

void HintShowAnimationStep(TsShowTimer& Timer) {
  TsAlphaHints* h = ActiveHints;
  TacCustomHintWindow* window = Timer.Window;
  // Nothing left to animate: the run ends instead of ticking on for ever.
  if (!h || h->Destroying() || !h->Carrier || !window || !window->Picture) {
    Timer.SetEnabled(false);
    return;
  }
  TBitmap& picture = *window->Picture;
  const RECT& target = h->TargetBounds;
  if (Timer.StepCount < Timer.Steps && 255.0 - Timer.AlphaFloor - Timer.Increment >= h->FadeAlpha) {
    ++Timer.StepCount;
    h->FadeAlpha += Timer.Increment;
    const uint8_t level = uint8_t(std::lround(h->FadeAlpha));
    if (Timer.DX == 0 && Timer.DY == 0) {
      SetLayeredBitmap(h->Carrier->Handle(), &picture, level, nullptr);
      ShowWindow(h->Carrier->Handle(), SW_SHOWNOACTIVATE);
      return;
    }
    Timer.X += Timer.DX;
    Timer.Y += Timer.DY;
    Timer.DX = (target.left - Timer.X) / 5.0;
    Timer.DY = (target.top - Timer.Y) / 5.0;
    const bool wantShadow = !window->HintUsesLayeredBody();
    if (h->NextCarrier) {
      const bool hasShadow = (GetClassLongPtrW(h->NextCarrier->Handle(), GCL_STYLE) & CS_DROPSHADOW) != 0;
      if (hasShadow != wantShadow) h->NextCarrier.reset();
    }
    if (!h->NextCarrier) h->NextCarrier = CreateHintCarrier(window, Timer.StartBounds);
    if (!h->PrevPicture) h->PrevPicture = NewBitmap32(0, 0);
    const int x = int(std::lround(Timer.X)), y = int(std::lround(Timer.Y));
    TBitmap& prev = *h->PrevPicture;
    MoveTopmost(*h->Carrier, x, y, prev.Width(), prev.Height());
    if (!prev.Empty()) SetLayeredBitmap(h->Carrier->Handle(), &prev, uint8_t(255 - level), nullptr);
    MoveTopmost(*h->NextCarrier, x, y, picture.Width(), picture.Height(), h->Carrier->Handle());
    SetLayeredBitmap(h->NextCarrier->Handle(), &picture, level, nullptr);
    return;
  }
  FinishHintShowAnimation(Timer);
}

void FinishHintShowAnimation(TsShowTimer& Timer) {
  Timer.SetEnabled(false);
  TsAlphaHints* h = ActiveHints;
  TacCustomHintWindow* window = Timer.Window;
  if (!h || !h->Carrier || !window || !window->Picture) return;
  if (h->NextCarrier) h->Carrier = std::move(h->NextCarrier);
  const RECT& target = h->TargetBounds;
  SetLayeredBitmap(h->Carrier->Handle(), window->Picture.get(), uint8_t(255 - Timer.AlphaFloor), nullptr);
  MoveTopmost(*h->Carrier, target.left, target.top, target.right - target.left, target.bottom - target.top);
  h->FadeAlpha = 0;
  h->PrevPicture = std::move(window->Picture);
}

void StartShowAnimation(TacCustomHintWindow* Window, int Width, int Height) {
  TsAlphaHints* h = ActiveHints;
  if (!h) return;
  h->FadeTimer = std::make_unique<TsShowTimer>();
  InitHintShowAnimation(*h->FadeTimer, Window, Width, Height);
}

// ---- a window hid -----------------------------------------------------------

void HintHidden(TacCustomHintWindow* Window) {
  TsAlphaHints* h = ActiveHints;
  if (!h) return;
  if (h->FadeTimer && h->FadeTimer->Enabled()) FinishHintShowAnimation(*h->FadeTimer);
  if (Window == LastHintWindow) LastHintWindow = nullptr;
  if (h->OnHideHint) h->OnHideHint(h);
  StartHintCleanupTimer(h);
}
