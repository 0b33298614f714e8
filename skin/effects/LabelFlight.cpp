#include "skin/effects/LabelFlight.h"

#include <algorithm>
#include <cmath>

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/GdiHandles.h"
#include "framework/Graphics.h"
#include "framework/WinControl.h"
#include "skin/core/SkinCommand.h"
#include "skin/core/SkinUtils.h"
#include "skin/forms/CaptionText.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/state/BoundLabel.h"
#include "skin/state/CommonData.h"

namespace {

constexpr DWORD kFrameTime = 12;

// The text drawn black on white; one byte a pixel, 255 where no text is.
std::vector<uint8_t> TextMask(const TacMoveTextData& Data, int W, int H) {
  auto Bmp = NewBitmap32(W, H);
  FillRect32(*Bmp, RECT{0, 0, W, H}, 0xFFFFFF, 255);
  {
    TCanvas Canvas(Bmp->DC());
    if (Data.Font) Canvas.Font().Assign(*Data.Font);
    Canvas.Font().SetColor(0);
    SetBkMode(Bmp->DC(), TRANSPARENT);
    const int TW = Data.Rect.right - Data.Rect.left, TH = Data.Rect.bottom - Data.Rect.top;
    RECT R{(W - TW) / 2, (H - TH) / 2, 0, 0};
    R.right = R.left + TW;
    R.bottom = R.top + TH;
    Canvas.DrawText(Data.Text, R, Data.Format | DT_NOPREFIX);
  }
  GdiFlush();
  std::vector<uint8_t> Mask(size_t(W) * H, 255);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) Mask[size_t(Y) * W + X] = uint8_t(GetPixel32(*Bmp, X, Y) & 0xFF);
  return Mask;
}

POINT RectCentre(const RECT& R) { return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }

HWND WindowOf(TControl* Control) {
  auto* Windowed = dynamic_cast<TWinControl*>(Control);
  return Windowed ? Windowed->HandleIfAllocated() : nullptr;
}

}  // namespace

std::vector<TacFlightFrame> FlightFrames(double FromX, double FromY, double ToX, double ToY) {
  std::vector<TacFlightFrame> Frames;
  const double D = std::hypot(ToX - FromX, ToY - FromY);
  double X = FromX, Y = FromY;
  while (true) {
    X -= (X - ToX) / 6;
    Y -= (Y - ToY) / 6;
    if (std::fabs(X - ToX) < 0.5 && std::fabs(Y - ToY) < 0.5) break;
    const long Level = std::lround(std::hypot(ToX - X, ToY - Y) * 255 / D);
    Frames.push_back(TacFlightFrame{POINT{LONG(std::lround(X)), LONG(std::lround(Y))}, uint8_t(std::min(Level, 255L))});
  }
  return Frames;
}

uint32_t PremultipliedColor(uint32_t Color, uint8_t Level) {
  const uint32_t R = Color & 0xFF, G = Color >> 8 & 0xFF, B = Color >> 16 & 0xFF;
  return uint32_t(Level) << 24 | (R * Level >> 8) << 16 | (G * Level >> 8) << 8 | (B * Level >> 8);
}

void PaintThroughMask(TBitmap& Frame, const std::vector<uint8_t>& Mask, uint32_t Color) {
  const int W = Frame.Width(), H = Frame.Height();
  if (Mask.size() != size_t(W) * H) return;
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!PrepareScanlineWalk(&Frame, Row0, Step)) return;
  const uint32_t CA = Color >> 24;
  for (int Y = 0; Y < H; ++Y) {
    uint32_t* Row = PixelRow(Row0, Step, Y);
    for (int X = 0; X < W; ++X) {
      const uint32_t M = Mask[size_t(Y) * W + X];
      if (M == 255) continue;
      const uint32_t P = Row[X];
      uint32_t Out = std::max(P >> 24, (CA * (255 - M)) >> 8) << 24;
      for (int Shift = 0; Shift < 24; Shift += 8)
        Out |= (((Color >> Shift & 0xFF) * (255 - M) + (P >> Shift & 0xFF) * M) >> 8) << Shift;
      Row[X] = Out;
    }
  }
}

TacTextFlight::TacTextFlight(const TacMoveTextData& From, const TacMoveTextData& To) : FFrom(From), FTo(To) {
  FEditWnd = WindowOf(From.Control);
  FWidth = std::max(From.Rect.right - From.Rect.left, To.Rect.right - To.Rect.left);
  FHeight = std::max(From.Rect.bottom - From.Rect.top, To.Rect.bottom - To.Rect.top);
  if (FWidth <= 0 || FHeight <= 0) return;
  FFromMask = TextMask(From, FWidth, FHeight);
  FToMask = TextMask(To, FWidth, FHeight);
  const POINT A = RectCentre(From.Rect), B = RectCentre(To.Rect);
  FFrames = FlightFrames(A.x - FWidth / 2.0, A.y - FHeight / 2.0, B.x - FWidth / 2.0, B.y - FHeight / 2.0);
  FFrame = NewBitmap32(FWidth, FHeight);
}

TacTextFlight::~TacTextFlight() = default;

bool TacTextFlight::OwnerAlive() const { return !FFrom.Control || (FEditWnd && IsWindow(FEditWnd)); }

bool TacTextFlight::Step() {
  if (FNext >= FFrames.size() || !FFrame || !OwnerAlive()) return false;
  const TacFlightFrame& F = FFrames[FNext];
  FillRect32(*FFrame, RECT{0, 0, FWidth, FHeight}, 0, 0);
  PaintThroughMask(*FFrame, FFromMask, PremultipliedColor(FFrom.Color, F.Level));
  PaintThroughMask(*FFrame, FToMask, PremultipliedColor(FTo.Color, uint8_t(255 - F.Level)));
  if (LayeredWindowsAvailable()) {
    // No redraw, no activation, no copy of bits, no owner z-order, no changing message.
    FWindow.Show(*FFrame, F.Pos, 255, HWND_TOPMOST);
  }
  ++FNext;
  return true;
}

void TacTextFlight::Land() {
  FWindow.Destroy();
  if (!OwnerAlive() || !FTo.Owner) return;
  TsBoundLabel* Label = FTo.Owner;
  Label->KeepHidden = false;
  Label->UpdateLabelControl();
  if (TsEditLabel* Control = Label->LabelControl()) {
    Control->SetVisible(true);
    Control->Invalidate();
  }
}

void PlayMovingText(const TacMoveTextData& From, const TacMoveTextData& To) {
  TacTextFlight Flight(From, To);
  // The edit paints itself without its hint while the text flies.
  if (const HWND Edit = WindowOf(From.Control)) {
    SendMessageW(Edit, WM_SKINCOMMAND, SkinCommandWParam(AC_INVALIDATEALL, 1), 0);
    RedrawWindow(Edit, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  for (;;) {
    const DWORD Start = GetTickCount();
    if (!Flight.Step()) break;
    WaitUntilTick(Start, kFrameTime);
  }
  Flight.Land();
}

void FlyLabelFromHint(TsCommonData* SkinData, TsBoundLabel* Label, const String& Text) {
  if (!Label || Text.empty() || Label->Active()) return;
  TControl* Edit = Label->OwnerCtrl();
  const HWND EditWnd = WindowOf(Edit);
  if (!Edit || (EditWnd && !IsWindowVisible(EditWnd)) || (SkinData && SkinData->IsUpdating())) {
    Label->KeepHidden = false;
    Label->SetActive(true);
    return;
  }
  if (Label->Caption().empty()) Label->SetCaption(Text);
  TacMoveTextData From;
  From.Owner = Label;
  From.Text = Text;
  From.Font = &Edit->Font();
  const uint32_t Bg = SkinData ? uint32_t(ColorToRGB(SkinData->GetBgColor())) : uint32_t(ColorToRGB(Edit->Color()));
  From.Color = MixColors(uint32_t(ColorToRGB(Edit->Font().Color())), Bg, 128);
  From.Control = Edit;
  RECT R{};
  if (EditWnd) SendMessageW(EditWnd, WM_SKINCOMMAND, SkinCommandWParam(AC_GETEDITRECT), LPARAM(&R));
  if (!IsRectEmpty(&R)) {
    const POINT O = Edit->ClientToScreen(POINT{0, 0});
    OffsetRect(&R, O.x, O.y);
  } else {
    const POINT O = Edit->ClientToScreen(POINT{0, 0});
    R = RECT{O.x + 3, O.y + 3, O.x + Edit->Width(), O.y + Edit->Height()};
  }
  {
    TWindowDC Screen;
    TCanvas Canvas(Screen.get());
    Canvas.Font().Assign(Edit->Font());
    RECT Measured{0, 0, R.right - R.left, R.bottom - R.top};
    Canvas.DrawText(Text, Measured, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
    R.right = std::min(R.right, R.left + Measured.right);
    R.bottom = std::min(R.bottom, R.top + Measured.bottom);
  }
  From.Rect = R;

  Label->KeepHidden = true;
  Label->SetActive(true);
  TsEditLabel* LabelCtrl = Label->LabelControl();
  if (!LabelCtrl) {
    Label->KeepHidden = false;
    return;
  }
  TacMoveTextData To;
  To.Owner = Label;
  To.Format = DT_EXPANDTABS;
  To.Text = StripTags(LabelCtrl->Caption(), false);
  To.Font = &LabelCtrl->Font();
  To.Color = uint32_t(ColorToRGB(LabelCtrl->Font().Color()));
  To.Control = LabelCtrl;
  RECT Caption{};
  Label->MeasureCaption(Caption);
  const POINT At = LabelCtrl->ClientToScreen(POINT{0, 0});
  OffsetRect(&Caption, At.x, At.y);
  To.Rect = Caption;

  if (SkinData) SkinData->StateBits |= acsLabelAnimating;
  PlayMovingText(From, To);
  if (SkinData && (!EditWnd || IsWindow(EditWnd))) SkinData->StateBits &= ~acsLabelAnimating;
}
