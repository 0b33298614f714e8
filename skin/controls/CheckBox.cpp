#include "skin/controls/CheckBox.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

#include "framework/Application.h"
#include "framework/GdiHandles.h"
#include "skin/core/SectionRecords.h"
#include "skin/core/SkinUtils.h"
#include "skin/effects/CanShowClickEffect.h"
#include "skin/effects/CircleEffect.h"
#include "skin/effects/ClickWave.h"
#include "skin/effects/LayeredEffects.h"
#include "skin/effects/StateAnimation.h"
#include "skin/forms/WindowQueries.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/FontMetrics.h"
#include "skin/graphics/FrameDrawing.h"
#include "skin/graphics/MaskedCopies.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/ThemeServices.h"
#include "skin/imagelists/AlphaImageDrawing.h"
#include "skin/imagelists/ImageSizes.h"
#include "skin/imagelists/SkinImageList.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ParentBackground.h"
#include "skin/painting/SkinGlyph.h"
#include "skin/state/CacheCorners.h"
#include "skin/state/ControlSkinPainting.h"
#include "skin/state/ControlText.h"
#include "skin/state/GlowEffects.h"
#include "skin/state/StateQueries.h"

namespace {

constexpr uint8_t kCheckBoxKind = 32;
constexpr int kDefaultGlyphSize = 16;

int W(const RECT& R) { return R.right - R.left; }
int H(const RECT& R) { return R.bottom - R.top; }

// The skin's box picture for State, nil when the skin has none.
const TsMaskData* SkinBoxImage(TacSkinData* SkinData, TCheckBoxState State) {
  if (!SkinData) return nullptr;
  const int Index = SkinData->CheckImages[size_t(State)];
  if (!IsValidMaskIndex(SkinData->MaskArray, Index)) return nullptr;
  const TsMaskData& Mask = SkinData->MaskArray[Index];
  return Mask.FrameWidth > 0 && Mask.FrameHeight > 0 ? &Mask : nullptr;
}

// Square frames side by side count as frames; anything else is one.
int FrameCount(const TBitmap& Bmp) {
  const int Height = Bmp.Height();
  return Height > 0 && Bmp.Width() % Height == 0 ? std::max(Bmp.Width() / Height, 1) : 1;
}

void DrawSystemBox(TBitmap& Bmp, const RECT& R, TCheckBoxState State, bool Enabled, int Hot) {
  const int Base = State == TCheckBoxState::cbChecked  ? CBS_CHECKEDNORMAL
                   : State == TCheckBoxState::cbGrayed ? CBS_MIXEDNORMAL
                                                       : CBS_UNCHECKEDNORMAL;
  if (DrawThemedElement(Bmp.DC(), L"BUTTON", BP_CHECKBOX, Base + (Enabled ? std::clamp(Hot, 0, 2) : 3), R)) return;
  const UINT Kinds[] = {0, DFCS_CHECKED, DFCS_CHECKED | DFCS_BUTTON3STATE};
  RECT Box = R;
  DrawFrameControl(Bmp.DC(), &Box, DFC_BUTTON, Kinds[size_t(State)] | (Enabled ? 0 : DFCS_INACTIVE));
}

RECT Mirrored(const RECT& R, int Width) { return RECT{Width - R.right, R.top, Width - R.left, R.bottom}; }

}  // namespace

TsCheckBox::TsCheckBox(TComponent* Owner)
    : TacSkinnedControl(Owner, kCheckBoxKind, ssCheckBox),
      FGlyphChecked(std::make_unique<TBitmap>()),
      FGlyphUnChecked(std::make_unique<TBitmap>()) {
  FImageLink = std::make_unique<TChangeLink>();
  FImageLink->OnChange = [this](TObject*) { SkinData()->Invalidate(); };
  SetAutoSize(true);
  AfterConstruction();
}

TsCheckBox::~TsCheckBox() {
  if (FImages) FImages->UnRegisterChanges(FImageLink.get());
}

void TsCheckBox::Notification(TComponent* Component, TOperation Operation) {
  TacSkinnedControl::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FImages) {
    FImages = nullptr;
    Invalidated(true);
  }
}

void TsCheckBox::Loaded() {
  TacSkinnedControl::Loaded();
  AdjustSize();
}

// ---- Properties ----

void TsCheckBox::SetChecked(bool Value) {
  if (Loading()) {
    TCheckBox::SetChecked(Value);
    return;
  }
  const bool Changed = Value != Checked();
  if (Changed) SkinData()->BGChanged = true;
  TCheckBox::SetChecked(Value);
  if (SkinData()->BGChanged) Repaint();
  if (Changed && OnValueChanged) OnValueChanged(this);
}

void TsCheckBox::Invalidated(bool Adjust) {
  if (Adjust) AdjustSize();
  SkinData()->Invalidate();
}

void TsCheckBox::SetMargin(int Value) {
  if (Value == FMargin) return;
  FMargin = Value;
  Invalidated(true);
}

void TsCheckBox::SetTextIndent(int Value) {
  if (Value == FTextIndent) return;
  FTextIndent = Value;
  Invalidated(true);
}

void TsCheckBox::SetVerticalAlign(TvaAlign Value) {
  if (Value == FVerticalAlign) return;
  FVerticalAlign = Value;
  Repaint();
}

void TsCheckBox::SetShowFocus(bool Value) {
  if (Value == FShowFocus) return;
  FShowFocus = Value;
  Invalidate();
}

void TsCheckBox::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) {
    FImages->UnRegisterChanges(FImageLink.get());
    RemoveFreeNotification(FImages);
  }
  FImages = Value;
  if (FImages) {
    FImages->RegisterChanges(FImageLink.get());
    FreeNotification(FImages);
  }
  Invalidated(true);
}

void TsCheckBox::SetImageIndex(int Index, int Value) {
  if (FImageIndexes[Index] == Value) return;
  FImageIndexes[Index] = Value;
  AdjustSize();
  // Only the picture on show needs painting again.
  const TCheckBoxState Shown[3] = {TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked, TCheckBoxState::cbGrayed};
  if (State() == Shown[Index]) Repaint();
}

void TsCheckBox::SetGlyphChecked(const TBitmap& Value) {
  FGlyphChecked->Assign(Value);
  Invalidated(true);
}

void TsCheckBox::SetGlyphUnChecked(const TBitmap& Value) {
  FGlyphUnChecked->Assign(Value);
  Invalidated(true);
}

// ---- Geometry ----

TCheckBoxState TsCheckBox::DrawState() const { return FDrawUnchecked ? TCheckBoxState::cbUnchecked : State(); }

int TsCheckBox::PaintState() {
  if (ComponentState() & csDesigning) return 0;
  if (FPressed) return 2;
  return SkinData()->GetCtrlState() == 1 && !FReadOnly ? 1 : 0;
}

const TBitmap* TsCheckBox::CurrentGlyphBitmap() const {
  if (FGlyphChecked->Empty()) return nullptr;
  const TBitmap& Bmp = Checked() ? *FGlyphChecked : *FGlyphUnChecked;
  return Bmp.Empty() ? nullptr : &Bmp;
}

SIZE TsCheckBox::GlyphSize() {
  if (FGlyphChecked->Width() > 0) {
    SIZE Size{kDefaultGlyphSize, kDefaultGlyphSize};
    if (const TBitmap* Bmp = CurrentGlyphBitmap()) Size = SIZE{Bmp->Width() / FrameCount(*Bmp), Bmp->Height()};
    const int Ppi = SkinData()->GetPPI();
    return SIZE{Size.cx * Ppi / 96, Size.cy * Ppi / 96};
  }
  if (SkinData()->IsSkinned())
    if (const TsMaskData* Box = SkinBoxImage(SkinData()->GetScaledSkinData(), State()))
      return SIZE{Box->FrameWidth, Box->FrameHeight};
  const int Size = ScaleToPPI(kDefaultGlyphSize, SkinData());
  return SIZE{Size, Size};
}

RECT TsCheckBox::GlyphRect(bool Unmirrored) {
  const SIZE Size = GlyphSize();
  int Top = FMargin;
  if (FVerticalAlign == TvaAlign::vaMiddle) Top = (Height() - Size.cy) / 2;
  if (FVerticalAlign == TvaAlign::vaBottom) Top = Height() - Size.cy - FMargin;
  RECT R{FMargin, Top, FMargin + Size.cx, Top + Size.cy};
  if (!Unmirrored && ControlsAlignment() == TLeftRight::taLeftJustify) R = Mirrored(R, Width());
  return R;
}

// The skin's picture sits at the edge vertically: Margin moves it sideways
// only.
RECT TsCheckBox::BoxImageRect(int ImageW, int ImageH) const {
  int Top = 0;
  if (FVerticalAlign == TvaAlign::vaMiddle) Top = (Height() - ImageH) / 2;
  if (FVerticalAlign == TvaAlign::vaBottom) Top = Height() - ImageH;
  const int Left = ControlsAlignment() == TLeftRight::taRightJustify ? FMargin : Width() - ImageW - FMargin;
  return RECT{Left, Top, Left + ImageW, Top + ImageH};
}

RECT TsCheckBox::EffectRect(bool Plain) {
  RECT R = GlyphRect();
  TsSkinManager* Manager = SkinData()->GetSkinManager();
  if (!Plain && Manager && Manager->AnimEffects().Buttons.ClickEffect() != TacClickEffect::ceWaveOut) {
    const int Grow = CircleRadius(SkinData()) - W(R) / 2;
    InflateRect(&R, Grow, Grow);
  }
  const POINT Origin = ClientToScreen(POINT{0, 0});
  OffsetRect(&R, Origin.x, Origin.y);
  return R;
}

bool TsCheckBox::CanAutoSize(int& NewWidth, int& NewHeight) {
  const bool Skinned_ = SkinData()->IsSkinned();
  if (Loading() || !AutoSize()) return Skinned_ ? false : TCheckBox::CanAutoSize(NewWidth, NewHeight);
  const SIZE Glyph = GlyphSize();
  const String Text = Caption();
  if (Text.empty()) {
    NewWidth = 2 * FMargin + Glyph.cx;
    NewHeight = Glyph.cy;
    return true;
  }
  const int Extra = ScaleToPPI(4, SkinData()) / 2 + 2 * FMargin + Glyph.cx + FTextIndent + 4;
  SIZE Text_{};
  const bool Stretched = Align() == TAlign::alTop || Align() == TAlign::alBottom || Align() == TAlign::alClient;
  MeasureTextExtent(Font().Handle(), Text, DT_WORDBREAK, WordWrap() && Stretched, NewWidth - Extra, false, Text_);
  // Aligned to a whole side, the parent decides the width.
  if (!Stretched) NewWidth = Text_.cx + Extra;
  NewHeight = std::max<int>(Glyph.cy, 2 * FMargin + Text_.cy + 4);
  return true;
}

// ---- Painting ----

void TsCheckBox::DrawCaption() {
  TBitmap& Cache = *SkinData()->CacheBmp;
  TCanvas Canvas(Cache.DC());
  Canvas.Font().Assign(Font());
  const SIZE Glyph = GlyphSize();
  // Form skinning's transparency modes (anti-aliased text, an opaque
  // caption area) are not built yet: the caption is drawn plainly.
  UINT Flags = WordWrap() ? DT_WORDBREAK : DT_SINGLELINE;
  const String Text = Caption();
  RECT Measure{0, 0, Width() - ScaleToPPI(4, SkinData()) / 2 - Glyph.cx - FTextIndent - 2 * FMargin - 4, 0};
  {
    const int Saved = SaveDC(Cache.DC());
    SelectObject(Cache.DC(), Font().Handle());
    DrawTextCapped(Cache.DC(), Text.empty() ? String(L" ") : Text, Measure, Flags | DT_CALCRECT);
    RestoreDC(Cache.DC(), Saved);
  }
  RECT R;
  R.top = std::max((Height() - H(Measure)) / 2, FMargin);
  R.bottom = R.top + H(Measure);
  R.left = ScaleToPPI(FTextIndent, SkinData()) + FMargin + Glyph.cx;
  R.right = R.left + W(Measure) + 1;
  const bool Mirror = ControlsAlignment() == TLeftRight::taLeftJustify;
  if (!Text.empty()) {
    RECT T = R;
    OffsetRect(&T, WordWrap() ? -1 : 0, -1);
    UINT DrawFlags = Flags;
    if (BiDiMode() != TBiDiMode::bdLeftToRight) DrawFlags |= DT_RTLREADING;
    if (Mirror) T = Mirrored(T, Width());
    DrawTextWithEffects(Canvas, Text.c_str(), Enabled() || SkinData()->IsSkinned(), T, DrawFlags, *SkinData(),
                        PaintState() > 0 ? 1 : 0, true);
  }
  if (Focused() && ShowFocus()) {
    RECT F = R;
    ++F.top;
    InflateRect(&F, 2, 1);
    if (Mirror) F = Mirrored(F, Width());
    const RECT Bounds{0, 0, Width(), Height()};
    IntersectRect(&F, &F, &Bounds);
    if (SkinData()->IsSkinned()) {
      TsSkinManager* Manager = SkinData()->GetSkinManager();
      int States = 1;
      if (TacSkinData* Data = SkinData()->GetScaledSkinData();
          Data && IsValidSectionIndex(Data->GeneralDataArray, SkinData()->SkinIndex))
        States = Data->GeneralDataArray[SkinData()->SkinIndex].States;
      const TColor Color = GetStateFontColor(this, SkinData()->SkinIndex, Manager, SkinData(),
                                             std::min(2, std::max(States - 1, 0)));
      DrawDottedFrame(Canvas, F, Color, clNone);
    } else {
      SetTextColor(Cache.DC(), 0);
      SetBkColor(Cache.DC(), 0xFFFFFF);
      DrawFocusRect(Cache.DC(), &F);
    }
  }
}

// One frame of a picture (normal, hot, pressed side by side) over the cache.
void TsCheckBox::DrawGlyphFrame(const TBitmap& Bmp, const RECT& Glyph) {
  const int Count = FrameCount(Bmp);
  int Frame = 0;
  if (FPressed)
    Frame = std::min(2, Count - 1);
  else if (SkinData()->GetCtrlState() == 1 && !FReadOnly)
    Frame = std::min(1, Count - 1);
  auto Source = std::make_unique<TBitmap>();
  Source->Assign(Bmp);
  Source->SetPixelFormat(pf32bit);
  // A picture without alpha of its own is opaque everywhere.
  if (Bmp.PixelFormat() != pf32bit) SetAlphaRect(*Source, RECT{0, 0, Source->Width(), Source->Height()}, 255);
  const int FrameW = Bmp.Width() / Count;
  const RECT Src{Frame * FrameW, 0, Frame * FrameW + W(Glyph), H(Glyph)};
  DrawAlphaOverBackground(Glyph, Src, *SkinData()->CacheBmp, *Source, TacBackgroundSource{}, false);
}

void TsCheckBox::DrawListGlyph(const RECT& Glyph) {
  const int Indexes[3] = {ImgUnchecked(), ImgChecked(), ImgGrayed()};
  const int Index = Indexes[size_t(DrawState())];
  if (Index < 0) return;
  SetImageListPPI(FImages, SkinData()->GetPPI());
  if (FImages->Height() > 0 && FImages->Width() % FImages->Height() == 0 && FImages->Width() >= 2 * FImages->Height()) {
    // Frames in one image: only a list that gives its 32-bit picture can
    // be cut into them.
    auto* Alpha = dynamic_cast<TacImageList*>(FImages);
    TBitmap Bmp;
    if (Alpha && Alpha->GetBitmap32(Index, &Bmp) && !Bmp.Empty()) DrawGlyphFrame(Bmp, Glyph);
    return;
  }
  TCanvas Canvas(SkinData()->CacheBmp->DC());
  // Lists of font glyphs take the text colour.
  Canvas.Font().SetColor(
      SkinData()->IsSkinned()
          ? GetStateFontColor(this, SkinData()->SkinIndex, SkinData()->GetSkinManager(), SkinData(), PaintState())
          : Font().Color());
  FImages->Draw(Canvas, Glyph.left, Glyph.top, Index, true);
}

void TsCheckBox::DrawGlyph() {
  TBitmap& Cache = *SkinData()->CacheBmp;
  const RECT Glyph = GlyphRect();
  if (UsesImages()) {
    DrawListGlyph(Glyph);
    return;
  }
  if (const TBitmap* Bmp = CurrentGlyphBitmap()) {
    DrawGlyphFrame(*Bmp, Glyph);
    return;
  }
  if (SkinData()->IsSkinned()) {
    // A skin without the picture leaves the box's place empty.
    if (const TsMaskData* Box = SkinBoxImage(SkinData()->GetScaledSkinData(), DrawState())) {
      const RECT At = BoxImageRect(Box->FrameWidth, Box->FrameHeight);
      DrawSkinGlyph(Cache, POINT{At.left, At.top}, PaintState(), 1, *Box, BitmapBackgroundSource(&Cache, 0, 0));
    }
    return;
  }
  DrawSystemBox(Cache, Glyph, DrawState(), Enabled(), PaintState());
}

bool TsCheckBox::BuildCache() {
  TsCtrlSkinData& Data = *SkinData();
  Data.InitCacheBmp();
  if (!Data.CacheBmp || Data.CacheBmp->Empty()) return false;
  TacBackgroundInfo Bg;
  QueryControlBackground(Bg, Parent(), false);
  if (Bg.BgKind == bgkNotReady) {
    Data.Updating = true;
    return false;
  }
  if (Bg.BgKind == bgkUnanswered) {
    Bg.BgKind = bgkColor;
    Bg.Color = Parent() ? ControlBgColor(Parent()) : GetSysColor(COLOR_BTNFACE);
  }
  const RECT R{0, 0, Width(), Height()};
  const bool Skinned_ = Data.IsSkinned();
  if (Skinned_) {
    TacBackgroundSource Source;
    BackgroundInfoToSource(Bg, Source);
    PaintControlSkin(Data, Source, PaintState(), R, POINT{Left(), Top()}, Data.CacheBmp.get(), true);
  } else {
    const TColor Fill = ParentColor() && Parent() ? Parent()->Color() : Color();
    TOwnedBrush Brush(CreateSolidBrush(ColorToRGB(Fill)));
    FillRect(Data.CacheBmp->DC(), &R, Brush.get());
  }
  DrawCaption();
  DrawGlyph();
  if (Skinned_ && Data.SkinIndex >= 0) {
    FinishSkinnedCache(*this, Data, Bg, DisabledKind());
  }
  Data.BGChanged = false;
  return true;
}

void TsCheckBox::PaintToDC(HDC DC) {
  TsCtrlSkinData& Data = *SkinData();
  const int Width_ = Width(), Height_ = Height();
  if (Data.IsUpdating() || Data.IsAnimating()) {
    TBitmap* Frame = nullptr;
    if (Data.PulseTimer && Data.PulseTimer->Enabled() && Data.PulseTimer->SourceImage)
      Frame = Data.PulseTimer->FrameImage.get();
    else if (Data.FadeTimer && Data.FadeTimer->Enabled() && Data.FadeTimer->SourceImage)
      Frame = Data.FadeTimer->FrameImage.get();
    if (Frame) {
      BitBlt(DC, 0, 0, Width_, Height_, Frame->DC(), 0, 0, SRCCOPY);
    } else if (Data.IsAnimating() && BuildCache()) {
      BitBlt(DC, 0, 0, Width_, Height_, Data.CacheBmp->DC(), 0, 0, SRCCOPY);
    }
    return;
  }
  if (!BuildCache()) return;
  FillCacheCorners(&Data, 0, 15);
  BitBlt(DC, 0, 0, Width_, Height_, Data.CacheBmp->DC(), 0, 0, SRCCOPY);
}

void TsCheckBox::WMPaint(HDC DC) {
  const HWND Wnd = HandleIfAllocated();
  if (!Wnd) return;
  const bool Copy = DC && ((SkinData()->StateBits & acsPrinting) || (ControlState() & csPaintCopy));
  PAINTSTRUCT Ps{};
  const bool Began = !Copy;
  // BeginPaint validates; a given DC still takes the picture.
  if (Began) BeginPaint(Wnd, &Ps);
  const HDC Target = DC ? DC : Ps.hdc;
  const int Saved = SaveDC(Target);
  if (!SkinData()->CheckUpdating(false)) PaintToDC(Target);
  RestoreDC(Target, Saved);
  if (Began) EndPaint(Wnd, &Ps);
}

// ---- Toggling ----

void TsCheckBox::SetFocusWithoutClick() {
  if (Focused() || !CanFocus()) return;
  const bool Saved = FClicksDisabled;
  FClicksDisabled = true;
  SetFocus();
  FClicksDisabled = Saved;
}

void TsCheckBox::ToggleFromMouse() {
  TsCtrlSkinData& Data = *SkinData();
  if (!AnimationAllowed(aeMouseUp, FAnimatEvents, Data.GetSkinManager())) {
    Toggle();
    return;
  }
  // The repaint BM_SETCHECK asks for paints nothing: the animation started
  // by CM_CHANGED goes on from the picture on screen.
  const bool SavedUpdating = Data.Updating;
  Data.Updating = true;
  Data.BGChanged = false;
  struct TRestore {
    TsCtrlSkinData& Data;
    bool Updating;
    ~TRestore() { Data.Updating = Updating; }
  } Restore{Data, SavedUpdating};
  Toggle();
}

void TsCheckBox::StopFadeAfterResize() {
  TsCtrlSkinData& Data = *SkinData();
  if (Data.IsAnimating() && Data.CacheBmp && Data.CacheBmp->Width() != Width()) {
    Data.StopFading();
    Repaint();
  }
}

bool TsCheckBox::CursorInEffectRect() {
  POINT P;
  GetCursorPos(&P);
  const RECT R = EffectRect(false);
  return PtInRect(&R, P) != FALSE;
}

void TsCheckBox::SetMouseInGlyph(bool Value) {
  if (Value == FMouseInGlyph) return;
  FMouseInGlyph = Value;
  if (!Value) {
    ReleaseEffectForm(SkinData()->EffectId);
  } else if (SkinData()->EffectId < 0 && SkinData()->IsSkinned() &&
             CanShowClickEffect(this, SkinData(), FAnimatEvents)) {
    UpdateCircleEffect(SkinData(), true);
  }
}

void TsCheckBox::UpdateCircle() {
  TsCtrlSkinData& Data = *SkinData();
  if (!CanShowClickEffect(this, &Data, FAnimatEvents)) return;
  TsSkinManager* Manager = Data.GetSkinManager();
  if (!Manager || Manager->ReceivingSkin() || SessionEnding || !Manager->Effects().AllowAnimation()) {
    if (Data.MouseAbove)
      UpdateCircleEffect(&Data, false);
    else
      ReleaseEffectForm(Data.EffectId);
    return;
  }
  UpdateCircleEffect(&Data, true);
}

void TsCheckBox::MouseDownSteps(TMessage& M) {
  TsCtrlSkinData& Data = *SkinData();
  FPressed = true;
  SetControlState(ControlState() | csLButtonDown);
  UpdateCircle();
  AnimateStateChange(&Data, 2, FadeStepWindow, AnimationAllowed(aeMouseDown, FAnimatEvents, Data.GetSkinManager()),
                     true);
  SetFocusWithoutClick();
  const int X = LParamX(M.LParam), Y = LParamY(M.LParam);
  if (M.Msg == WM_LBUTTONDBLCLK)
    DblClick();
  else
    MouseDown(TMouseButton::mbLeft, KeysToShiftState(M.WParam), X, Y);
}

void TsCheckBox::MouseUpSteps(TMessage& M) {
  TsCtrlSkinData& Data = *SkinData();
  SetControlState(ControlState() & ~csLButtonDown);
  if (CanShowClickEffect(this, &Data, FAnimatEvents))
    UpdateCircle();
  else if (AnimationAllowed(aeClick, FAnimatEvents, Data.GetSkinManager()) && CursorInEffectRect())
    StartClickEffect(&Data, 0);
  FPressed = false;
  ToggleFromMouse();
}

void TsCheckBox::Changed_(TMessage& M) {
  TsCtrlSkinData& Data = *SkinData();
  if (ComponentState() & csDesigning) {
    Data.Invalidate();
  } else {
    const bool Allowed = AnimationAllowed(aeMouseUp, FAnimatEvents, Data.GetSkinManager());
    if (Checked() && FAnimCheckDrawing) {
      if (Data.FadeTimer) Data.FadeTimer->Level = 0;
      FDrawUnchecked = true;
      Data.BGChanged = true;
      BuildCache();
      FDrawUnchecked = false;
      AnimateStateChange(&Data, PaintState(), FadeStepCheckGlyph, Allowed, true);
    } else {
      AnimateStateChange(&Data, PaintState(), FadeStepWindow, Allowed, true);
    }
  }
  TCheckBox::WndProc(M);
}

// ---- Window procedure ----

bool TsCheckBox::SkinStage1(TMessage& M) {
  TsCtrlSkinData& Data = *SkinData();
  const bool Designing = ComponentState() & csDesigning;
  switch (M.Msg) {
    case WM_SETFOCUS:
      if (Designing) break;
      if (!Enabled()) return true;
      TCheckBox::WndProc(M);
      Data.BGChanged = true;
      if (Data.FadeTimer && Data.FadeTimer->Enabled())
        Data.FadeTimer->TimeHandler();
      else
        Repaint();
      return true;
    case WM_KILLFOCUS:
      if (Destroying() || Designing || !Enabled()) break;
      Data.StopFading();
      if (HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, 0, 0);
      TCheckBox::WndProc(M);
      if (HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, 1, 0);
      Data.Focused = false;
      Data.MouseAbove = false;
      Data.Invalidate();
      return true;
    case WM_SETTEXT:
      if (!HandleAllocated() || !IsWindowVisible(Handle())) break;
      SendMessageW(Handle(), WM_SETREDRAW, 0, 0);
      TCheckBox::WndProc(M);
      SendMessageW(Handle(), WM_SETREDRAW, 1, 0);
      Data.Invalidate();
      return true;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      if (!AutoSize() || !HandleAllocated()) break;
      TCheckBox::WndProc(M);  // adjusts the size
      Data.Invalidate();
      return true;
    case CM_VISIBLECHANGED:
      Data.SetScaledSkinData(nullptr);
      break;
    case CM_ENABLEDCHANGED:
      if (!Data.IsSkinned()) break;
      TCheckBox::WndProc(M);
      Data.Updating = false;
      Data.Invalidate(true);
      return true;
    case CM_MOUSEENTER:
      if (Enabled() && !Designing && !Data.MouseAbove) {
        Data.MouseAbove = true;
        if (CanShowClickEffect(this, &Data, FAnimatEvents)) {
          SetMouseInGlyph(CursorInEffectRect());
          UpdateCircleEffect(&Data, true);
        }
        AnimateStateChange(&Data, 1, FadeStepWindow,
                           AnimationAllowed(aeMouseEnter, FAnimatEvents, Data.GetSkinManager()), true);
      }
      TCheckBox::WndProc(M);
      return true;
    case CM_MOUSELEAVE:
      if (Enabled() && !Designing && Data.MouseAbove) {
        Data.MouseAbove = false;
        // Leaving cancels a pending press: a release elsewhere does not toggle.
        FPressed = false;
        if (CanShowClickEffect(this, &Data, FAnimatEvents)) SetMouseInGlyph(false);
        AnimateStateChange(&Data, 0, FadeStepWindow,
                           AnimationAllowed(aeMouseLeave, FAnimatEvents, Data.GetSkinManager()), false);
      }
      TCheckBox::WndProc(M);
      return true;
    case WM_SKINCOMMAND: {
      const auto OwnManager = [&] { return reinterpret_cast<LPARAM>(Data.GetSkinManager()) == M.LParam; };
      switch (SkinCommandCode(M.WParam)) {
        case AC_SKINLOADED:
          if (!OwnManager()) break;
          HandleCtrlSkinMessage(M, &Data);
          AdjustSize();
          return true;
        case AC_SKINREMOVED:
          if (!OwnManager()) break;
          HandleCtrlSkinMessage(M, &Data);
          // The system button shows the state again.
          if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, WPARAM(State()), 0);
          AdjustSize();
          Repaint();
          return true;
        case AC_SKINREFRESH:
          if (!IsRefreshForMe(&Data, M)) break;
          HandleCtrlSkinMessage(M, &Data);
          AdjustSize();
          Repaint();
          return true;
        case AC_ISSKINNED:
          M.Result = 1;
          return true;
        case AC_GETDEFINDEX:
          if (TsSkinManager* Manager = Data.GetSkinManager())
            M.Result = Manager->GetSectionIndex(DefaultSectionName(ssCheckBox)) + 1;
          return true;
        case AC_BUILDCACHE:
          BuildCache();
          return true;
        case AC_SETOPAQUE:
          HandleSkinCommand(M, &Data);
          return true;
        case AC_GETAPPLICATION:
          M.Result = reinterpret_cast<LRESULT>(Application);
          return true;
        case AC_GETDEFSECTION:
          M.Result = ssCheckBox;
          return true;
        case AC_GETEFFECTRECT:
          if (M.LParam) *reinterpret_cast<RECT*>(M.LParam) = EffectRect(LOWORD(M.WParam) != 0);
          M.Result = 1;
          return true;
      }
      break;
    }
  }
  if (!CanUpdateSkinnedControl(this)) {
    TCheckBox::WndProc(M);
    return true;
  }
  return HandleCtrlSkinMessage(M, &Data);
}

bool TsCheckBox::SkinnedMessage(TMessage& M) {
  TsCtrlSkinData& Data = *SkinData();
  const bool Designing = ComponentState() & csDesigning;
  const HWND Wnd = HandleIfAllocated();
  const bool Visible_ = Wnd && IsWindowVisible(Wnd);
  switch (M.Msg) {
    case WM_ENABLE:
    case WM_NCPAINT:
      M.Result = 0;
      return true;
    case WM_PAINT:
      if (!Visible_) break;
      WMPaint(reinterpret_cast<HDC>(M.WParam));
      M.Result = 0;
      return true;
    case WM_PRINT:
      Data.Updating = false;
      WMPaint(reinterpret_cast<HDC>(M.WParam));
      return true;
    case WM_ERASEBKGND:
      if (!Visible_) break;
      // The fresh cache instead of an erase: the box never flickers through
      // the parent's colour.
      if (M.WParam && Data.CacheBmp && !Data.CacheBmp->Empty() && !Data.BGChanged && !Data.IsAnimating())
        BitBlt(reinterpret_cast<HDC>(M.WParam), 0, 0, Width(), Height(), Data.CacheBmp->DC(), 0, 0, SRCCOPY);
      M.Result = 1;
      return true;
    case BM_SETCHECK:
      Data.StopFading();
      if (M.WParam <= 2) SetState(TCheckBoxState(M.WParam));
      Repaint();
      M.Result = 0;
      return true;
    case WM_KEYDOWN:
      if (M.WParam != VK_SPACE || !Enabled() || Designing) break;
      if (!FReadOnly) {
        FPressed = true;
        SetFocusWithoutClick();
        Repaint();
        WORD Key = VK_SPACE;
        if (OnKeyDown) OnKeyDown(this, Key, KeyboardStateToShiftState());
      }
      return true;
    case WM_KEYUP:
      if (M.WParam != VK_SPACE || !Enabled() || Designing) break;
      if (!FReadOnly) {
        if (FPressed) {
          FPressed = false;
          Toggle();
        }
        WORD Key = VK_SPACE;
        if (OnKeyUp) OnKeyUp(this, Key, KeyboardStateToShiftState());
        StopFadeAfterResize();
      }
      return true;
    case WM_UPDATEUISTATE:
      Repaint();
      return true;
    case WM_MOUSEMOVE:
      if (CanShowClickEffect(this, &Data, FAnimatEvents)) SetMouseInGlyph(CursorInEffectRect());
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (Designing || !Enabled() || FReadOnly) {
        if (FReadOnly && Enabled() && !Designing) return true;
        break;
      }
      MouseDownSteps(M);
      return true;
    case WM_LBUTTONUP:
      if (Designing || !Enabled()) break;
      if (!FReadOnly && FPressed)
        MouseUpSteps(M);
      else
        FPressed = false;
      MouseUp(TMouseButton::mbLeft, KeysToShiftState(M.WParam), LParamX(M.LParam), LParamY(M.LParam));
      if (!FReadOnly) StopFadeAfterResize();
      return true;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      TCheckBox::WndProc(M);
      if (Wnd) Repaint();
      return true;
    case CM_CHANGED:
      Changed_(M);
      return true;
    case WM_SKINCOMMAND:
      if (SkinCommandCode(M.WParam) == AC_UPDATEDONE && (Data.Updating || Data.ChildBgChanged) && !Designing &&
          !Data.CheckUpdating(true))
        Repaint();
      break;
  }
  TCheckBox::WndProc(M);
  return true;
}

void TsCheckBox::UnskinnedWndProc(TMessage& M) {
  const HWND Wnd = HandleIfAllocated();
  switch (M.Msg) {
    case WM_PAINT:
      if (!Wnd || !IsWindowVisible(Wnd)) break;
      WMPaint(reinterpret_cast<HDC>(M.WParam));
      M.Result = 0;
      return;
    case WM_ERASEBKGND:
      // The paint covers the whole window from the cache.
      if (Wnd && IsWindowVisible(Wnd)) {
        M.Result = 1;
        return;
      }
      break;
    case BM_SETCHECK:
    case BM_SETSTATE:
      // Holds back the system button's pushed and checked look while a
      // press is pending on a read-only box.
      if (!(ControlState() & csCreating) && FPressed && FReadOnly) return;
      break;
    case WM_LBUTTONDBLCLK:
      if (FReadOnly) return;
      break;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
      FPressed = true;
      break;
    case WM_KEYUP:
    case WM_LBUTTONUP:
      FPressed = false;
      break;
  }
  TCheckBox::WndProc(M);
  switch (M.Msg) {
    // The system button draws itself at once on these; the picture is ours.
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case CM_ENABLEDCHANGED:
      if (Wnd) InvalidateRect(Wnd, nullptr, FALSE);
      break;
  }
}
