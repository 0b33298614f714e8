#include "skin/effects/ClickWave.h"

#include "framework/Control.h"
#include "framework/WinControl.h"
#include "framework/GdiHandles.h"
#include "skin/core/SkinCommand.h"
#include "skin/effects/ClearPixelsMatching.h"
#include "skin/forms/LayeredWindows.h"
#include "skin/forms/WindowQueries.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Resample.h"
#include "skin/state/CommonData.h"

namespace {

// The parent has no background to give yet.
constexpr uint32_t kNoColor = 0xFF00FF;

// SWP_NOSIZE, SWP_NOREDRAW, SWP_NOACTIVATE, SWP_SHOWWINDOW, SWP_NOOWNERZORDER
// and SWP_NOSENDCHANGING.
constexpr UINT kWaveMoveFlags = 0x659;
constexpr uint8_t kMitchell = 6;
// The soft wave's canvas is this much larger than the grown picture.
constexpr int kSoftMargin = 5;

int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }

TWinControl* WindowOf(TControl* Control) {
  if (auto* Windowed = dynamic_cast<TWinControl*>(Control)) return Windowed;
  return Control ? Control->Parent() : nullptr;
}

RECT ScreenRectOf(TControl* Control) {
  RECT R{};
  if (auto* Windowed = dynamic_cast<TWinControl*>(Control); Windowed && Windowed->HandleAllocated()) {
    SendCtrlCommand(Control, AC_GETEFFECTRECT, LPARAM(&R));
    if (Width(R) > 0 && Height(R) > 0) return R;
    GetWindowRect(Windowed->HandleIfAllocated(), &R);
    return R;
  }
  TWinControl* Parent = Control->Parent();
  if (!Parent || !Parent->HandleAllocated()) return R;
  POINT P{Control->Left(), Control->Top()};
  ClientToScreen(Parent->HandleIfAllocated(), &P);
  return RECT{P.x, P.y, P.x + Control->Width(), P.y + Control->Height()};
}

// The parent's picture under the control, shifted by ShiftX; nil when the
// parent cannot say.
std::unique_ptr<TBitmap> BackgroundUnder(TsCommonData* Data, int W, int H, int ShiftX) {
  TControl* Control = Data->OwnerControl;
  TacBackgroundSource Source;
  Data->GetParentBg(Source);
  auto Bg = NewBitmap32(W, H);
  if (Source.Bmp) {
    BitBlt(Bg->DC(), 0, 0, W, H, Source.Bmp->DC(), Source.X + Control->Left() + ShiftX, Source.Y + Control->Top(),
           SRCCOPY);
    return Bg;
  }
  if (Source.FillColor == kNoColor) return nullptr;
  const uint32_t C = Source.FillColor;
  const uint32_t Pixel = 0xFF000000u | (C & 0xFF) << 16 | (C & 0xFF00) | (C >> 16 & 0xFF);
  for (int Y = 0; Y < H; ++Y) {
    auto* Row = static_cast<uint32_t*>(Bg->ScanLine(Y));
    for (int X = 0; X < W; ++X) Row[X] = Pixel;
  }
  return Bg;
}

// Blurred by halving and enlarging again.
void Soften(TBitmap& Bmp) {
  if (Bmp.Width() < 4 || Bmp.Height() < 4) return;
  auto Half = NewBitmap32(Bmp.Width() / 2, Bmp.Height() / 2);
  ResampleBitmap(Bmp, *Half, Half->Width(), Half->Height(), kMitchell);
  ResampleBitmap(*Half, Bmp, Bmp.Width(), Bmp.Height(), kMitchell);
}

HWND InsertAfterOf(TControl* Control) {
  TWinControl* Window = WindowOf(Control);
  const HWND Top = Window && Window->HandleAllocated() ? GetAncestor(Window->HandleIfAllocated(), GA_ROOT) : nullptr;
  if (!Top || (GetWindowLongPtrW(Top, GWL_EXSTYLE) & WS_EX_TOPMOST)) return HWND_TOPMOST;
  const HWND Before = GetWindow(Top, GW_HWNDPREV);
  return Before ? Before : HWND_TOP;
}

void DrawWaveFrame(TacClickTimer& T, TControl* Control) {
  if (!T.FrameImage || T.FrameImage->Width() < 2 || T.FrameImage->Height() < 2) return;
  const RECT Effect = ScreenRectOf(Control);
  const RECT Next = NextWaveRect(T.WaveRect, Effect, T.WaveMode);
  const int Grow = T.WaveMode == 0 ? kSoftMargin : 0;
  auto Grown = NewBitmap32(Width(Next) - Grow, Height(Next) - Grow);
  ResampleBitmap(*T.FrameImage, *Grown, Grown->Width(), Grown->Height(), kMitchell);
  if (T.WaveMode == 0) {
    auto Canvas = NewBitmap32(Width(Next), Height(Next));
    BitBlt(Canvas->DC(), 1, 1, Grown->Width(), Grown->Height(), Grown->DC(), 0, 0, SRCCOPY);
    Soften(*Canvas);
    T.FrameImage = std::move(Canvas);
  } else {
    T.FrameImage = std::move(Grown);
  }
  T.WaveRect = Next;
  T.WaveOpacity = NextWaveOpacity(T.WaveOpacity);
  if (!T.EffectWindow) T.EffectWindow = std::make_unique<TacEffectWindow>();
  const HWND Wnd = T.EffectWindow->Handle();
  if (!Wnd) return;
  const POINT At{Next.left, Next.top};
  SetLayeredBitmap(Wnd, T.FrameImage.get(), T.WaveOpacity, &At);
  SetWindowPos(Wnd, InsertAfterOf(Control), At.x, At.y, 0, 0, kWaveMoveFlags);
}

}  // namespace

TacClickTimer::TacClickTimer(TComponent* AOwner) : TacThreadedTimer(AOwner, false) {}

TacClickTimer::~TacClickTimer() {
  SetEnabled(false);
  EffectWindow.reset();
}

void TacClickTimer::StopAnimation() {
  TacThreadedTimer::StopAnimation();
  if (!Destroying()) EffectWindow.reset();
}

void TacClickTimer::PrepareImage() {
  WaveOpacity = 255;
  TControl* Control = Data ? Data->OwnerControl : nullptr;
  if (!Control) return;
  const RECT R = ScreenRectOf(Control);
  WaveRect = R;
  if (Width(R) <= 0 || Height(R) <= 0) {
    FrameImage.reset();
    return;
  }
  FrameImage = NewBitmap32(Width(R), Height(R));
  {
    TWindowDC Screen(nullptr);
    BitBlt(FrameImage->DC(), 0, 0, Width(R), Height(R), Screen.get(), R.left, R.top, SRCCOPY);
  }
  if (auto Bg = BackgroundUnder(Data, Width(R), Height(R), WaveMode == 1 ? -2 : 0))
    ClearPixelsMatching(*FrameImage, *Bg);
}

RECT NextWaveRect(const RECT& Prev, const RECT& Effect, uint8_t Mode) {
  const int Grow = Mode == 0 ? 2 + kSoftMargin : 2;
  const int W = Width(Prev) + Grow, H = Height(Prev) + Grow;
  const int Left = Effect.left - (W - Width(Effect)) / 2, Top = Effect.top - (H - Height(Effect)) / 2;
  return RECT{Left, Top, Left + W, Top + H};
}

void StartClickEffect(TsCommonData* Data, uint8_t Mode) {
  if (!Data || !Data->OwnerControl) return;
  TControl* Control = Data->OwnerControl;
  if (Control->Destroying() || Control->Loading() || (Control->ComponentState() & csReading)) return;
  auto* T = dynamic_cast<TacClickTimer*>(Data->ClickTimer);
  if (!T) {
    delete Data->ClickTimer;
    T = new TacClickTimer(Control);
    Data->ClickTimer = T;
  }
  T->WaveMode = Mode;
  T->StartAnimation(Data, 0, WaveOutStep, 0, false);
  T->EffectControl = Control;
  T->PrepareImage();
}

bool WaveOutStep(TsCommonData* Data, int Step) {
  if (!Data) return false;
  auto* T = dynamic_cast<TacClickTimer*>(Data->ClickTimer);
  if (!T || T->Destroying()) return false;
  TControl* Control = T->EffectControl;
  if (!Control || Control->Destroying()) return false;
  TWinControl* Window = WindowOf(Control);
  const HWND Wnd = Window ? Window->HandleIfAllocated() : nullptr;
  if (Step >= T->StepCount || T->WaveOpacity < 3 || !Wnd || !IsWindowVisible(Wnd)) {
    T->StopAnimation();
    return false;
  }
  if (!HasVisibleRegion(Control)) return false;
  if (!IsControlCovered(Control)) DrawWaveFrame(*T, Control);
  return true;
}
